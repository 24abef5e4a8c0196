#include "bench/takeoption.h"

#include <cstring>

namespace bench {

const char *takeOption(int &argc, char **argv, const char *name)
{
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') {
            const char *value = argv[i] + length + 1;
            for (int j = i; j < argc - 1; ++j)
                argv[j] = argv[j + 1];
            --argc;
            return value;
        }
    }
    return nullptr;
}

} // namespace bench
