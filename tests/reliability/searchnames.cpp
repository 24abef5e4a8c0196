#include "tests/reliability/searchnames.h"

#include "lookup/randomsource.h"

namespace searchnames {

QString letters(std::uint64_t number)
{
    QString digits;
    do {
        digits.prepend(QChar(char16_t(0x0430 + number % 32)));
        number /= 32;
    } while (number != 0);
    return digits;
}

QString surname(const QString &stem, std::uint64_t number)
{
    return stem + letters(number);
}

std::uint32_t seedInventing(std::uint32_t entries, std::uint32_t skip)
{
    // The number of entries is the first draw from the reseeded source, as the lookup draws it.
    for (std::uint32_t seed = 0;; ++seed) {
        lookup::RandomSource probe;
        probe.setState(seed);
        if (probe.draw(5) == entries && skip-- == 0)
            return seed;
    }
}

std::uint32_t seedInventingAWoman()
{
    // The lookup by phone draws the gender set first: 1 of 2 is male.
    for (std::uint32_t seed = 0;; ++seed) {
        lookup::RandomSource probe;
        probe.setState(seed);
        if (probe.draw(2) != 1)
            return seed;
    }
}

} // namespace searchnames
