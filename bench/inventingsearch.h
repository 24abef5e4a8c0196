#pragma once

#include "lookup/search.h"

#include <QString>

#include <cstdint>

namespace bench {

// A name search that finds nothing invents this many entries with seedInventingFour().
inline constexpr std::uint32_t kInvented = 4;

// The first fixed seed whose search invents four entries.
std::uint32_t seedInventingFour();

// Surnames that no directory holds, so that every search misses and invents: a hard sign first,
// which begins no Russian surname, then the number in letters. None ends in "а", so every search
// takes the male tables and sends the same statements.
QString unheardSurname(std::uint64_t n);

// The fields of a search for the surname alone.
lookup::SearchFields surnameOnly(const QString &surname);

} // namespace bench
