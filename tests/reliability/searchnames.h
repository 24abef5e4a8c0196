#pragma once

#include <QString>
#include <cstdint>

// Surnames and numbers that no search has used before, so that every search invents entries and
// the test knows how many rows each one added.
namespace searchnames {

// The number written with the 32 small Cyrillic letters as digits: letters only, so it passes the
// surname check, and lower case, so it comes back capitalised as it went in.
QString letters(std::uint64_t number);

// A capitalised surname: the stem followed by the number in letters.
QString surname(const QString &stem, std::uint64_t number);

} // namespace searchnames
