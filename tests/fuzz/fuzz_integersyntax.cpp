// The integer syntax of the house, flat and phone fields, in both widths, against a second reading
// of the rule written here as plainly as possible: the two must agree on every text.
#include "tests/fuzz/fuzzcheck.h"

#include "lookup/integersyntax.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace {

bool isDecimalDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char16_t c)
{
    return isDecimalDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int hexValue(char16_t c)
{
    return isDecimalDigit(c) ? c - u'0' : (c >= u'a' ? c - u'a' : c - u'A') + 10;
}

// The value a bit pattern of that width has as a signed two's-complement number.
__int128 asSigned(unsigned __int128 pattern, int bits)
{
    const unsigned __int128 modulus = (unsigned __int128)1 << bits;
    pattern %= modulus;
    return pattern >= modulus / 2 ? (__int128)pattern - (__int128)modulus : (__int128)pattern;
}

std::optional<std::int64_t> reference(const std::u16string &text, int bits)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::u16string rest = text.substr(i);

    bool hex = true;
    if (rest.rfind(u"0x", 0) == 0 || rest.rfind(u"0X", 0) == 0)
        rest = rest.substr(2);
    else if (!rest.empty() && (rest[0] == u'$' || rest[0] == u'x' || rest[0] == u'X'))
        rest = rest.substr(1);
    else
        hex = false;
    if (rest.empty())
        return std::nullopt;
    for (char16_t c : rest)
        if (!(hex ? isHexDigit(c) : isDecimalDigit(c)))
            return std::nullopt;
    const std::size_t firstSignificant = rest.find_first_not_of(u'0');
    const std::u16string significant = firstSignificant == std::u16string::npos ? u"" : rest.substr(firstSignificant);

    const __int128 lowest = -((__int128)1 << (bits - 1));
    const __int128 highest = ((__int128)1 << (bits - 1)) - 1;
    if (hex) {
        if (significant.size() > std::size_t(bits / 4))
            return std::nullopt;
        unsigned __int128 pattern = 0;
        for (char16_t c : significant)
            pattern = pattern * 16 + unsigned(hexValue(c));
        __int128 value = asSigned(pattern, bits);
        if (negative)
            value = asSigned((unsigned __int128)(-value), bits); // negating the most negative value wraps
        return std::int64_t(value);
    }
    if (significant.size() > 20) // more than any 64-bit value has
        return std::nullopt;
    __int128 value = 0;
    for (char16_t c : significant)
        value = value * 10 + (c - u'0');
    if (negative)
        value = -value;
    if (value < lowest || value > highest)
        return std::nullopt;
    return std::int64_t(value);
}

// Most inputs are Latin-1 bytes, which reach every character of the syntax quickly; some are
// UTF-8, for the look-alikes (full-width digits, other spaces) that must not pass.
QString textOf(const std::uint8_t *data, std::size_t size)
{
    if (size > 0 && data[0] == 0xFF)
        return QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    return QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = textOf(data, size);
    const std::u16string plain(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size()));
    for (const auto width : {lookup::IntegerWidth::Bits32, lookup::IntegerWidth::Bits64}) {
        const int bits = int(width);
        const std::optional<std::int64_t> parsed = lookup::parseInteger(text, width);
        const std::optional<std::int64_t> expected = reference(plain, bits);
        FUZZ_REQUIRE(parsed.has_value() == expected.has_value(), "%d bits, \"%s\": %s, but the rule says %s", bits,
                     text.toUtf8().constData(), parsed ? "a number" : "no number", expected ? "a number" : "no number");
        if (parsed) {
            FUZZ_REQUIRE(*parsed == *expected, "%d bits, \"%s\": %lld, but the rule says %lld", bits,
                         text.toUtf8().constData(), (long long)*parsed, (long long)*expected);
        }
    }
    return 0;
}
