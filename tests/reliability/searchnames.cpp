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

} // namespace searchnames
