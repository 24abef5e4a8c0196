#include "bench/surnameforms.h"

namespace bench {

std::string feminineForm(std::string_view masculine)
{
    std::string result(masculine);
    for (std::string_view ending : {"ов", "ев", "ёв", "ин", "ын"})
        if (masculine.ends_with(ending))
            return result.append("а");
    for (std::string_view ending : {"ий", "ой"})
        if (masculine.ends_with(ending))
            return result.replace(result.size() - ending.size(), ending.size(), "ая");
    return result;
}

} // namespace bench
