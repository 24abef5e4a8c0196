#pragma once

#include <cstdint>
#include <string>

namespace bench {

// Plausible surnames that no list holds, for the long tail of a directory: two open syllables, a
// closing consonant and a surname ending ("Бокулев", "Митарский"). Every index below the count
// gives a different name.
std::uint64_t syntheticSurnameCount();
std::string syntheticSurname(std::uint64_t index);

} // namespace bench
