#include "lookup/integersyntax.h"

namespace lookup {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Wraps the unsigned pattern into the signed width, negating in two's complement first.
std::int64_t signedValue(std::uint64_t pattern, bool negative, int bits)
{
    if (negative)
        pattern = 0 - pattern;
    if (bits == 32)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern));
    return static_cast<std::int64_t>(pattern);
}

std::optional<std::int64_t> hexadecimal(QStringView digits, bool negative, int bits)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t pattern = 0;
    int significant = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        if (significant == 0 && d == 0)
            continue;
        if (++significant > bits / 4)
            return std::nullopt;
        pattern = (pattern << 4) | std::uint64_t(d);
    }
    return signedValue(pattern, negative, bits);
}

std::optional<std::int64_t> decimal(QStringView digits, bool negative, int bits)
{
    if (digits.isEmpty())
        return std::nullopt;
    // The magnitude of the most negative value is one more than that of the most positive.
    const std::uint64_t limit = (std::uint64_t(1) << (bits - 1)) - (negative ? 0 : 1);
    std::uint64_t magnitude = 0;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        if (u < '0' || u > '9')
            return std::nullopt;
        const std::uint64_t d = u - '0';
        if (magnitude > (limit - d) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + d;
    }
    return signedValue(magnitude, negative, bits);
}

} // namespace

std::optional<std::int64_t> parseInteger(QStringView text, IntegerWidth width)
{
    const int bits = static_cast<int>(width);
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const QStringView rest = text.mid(i);
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X"))
        return hexadecimal(rest.mid(2), negative, bits);
    if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X'))
        return hexadecimal(rest.mid(1), negative, bits);
    return decimal(rest, negative, bits);
}

} // namespace lookup
