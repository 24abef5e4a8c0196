#include "cli/platform/console.h"

#include <QByteArrayView>

namespace cli {

void prepareStandardStreams()
{
}

std::optional<int> unreadableArgumentAt(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (!QByteArrayView(argv[i]).isValidUtf8())
            return i;
    return std::nullopt;
}

} // namespace cli
