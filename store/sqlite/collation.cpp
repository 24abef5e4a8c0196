#include "store/sqlite/collation.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace store {

namespace {

constexpr char32_t kNotUtf8 = 0x110000; // a stray byte b decodes to kNotUtf8 + b

struct CodePoint {
    char32_t value;
    std::size_t length;
};

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The character starting at pos; a malformed or overlong sequence is one stray byte.
CodePoint decodeAt(std::string_view s, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80)
        return {lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return {kNotUtf8 + lead, 1};
    }
    if (s.size() - pos < length)
        return {kNotUtf8 + lead, 1};
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if (!isContinuation(b))
            return {kNotUtf8 + lead, 1};
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {kNotUtf8 + lead, 1};
    return {value, length};
}

char32_t folded(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + ('a' - 'A');
    if (c >= 0x0410 && c <= 0x042F) // А..Я
        return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F) // Ѐ..Џ, Ё among them
        return c + 0x50;
    if (c == 0x0490) // Ґ
        return 0x0491;
    return c;
}

// How many bytes at the start of a and b are the same, eight at a time where it can.
std::size_t identicalBytes(const char *a, const char *b, std::size_t n)
{
    std::size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + k, 8);
        std::memcpy(&y, b + k, 8);
        if (x != y) {
            const std::uint64_t d = x ^ y;
            return k + std::size_t(std::endian::native == std::endian::little ? std::countr_zero(d)
                                                                             : std::countl_zero(d)) / 8;
        }
    }
    while (k < n && a[k] == b[k])
        ++k;
    return k;
}

int sign(std::int64_t d)
{
    return (d > 0) - (d < 0);
}

} // namespace

int compareFolded(std::string_view a, std::string_view b)
{
    // An index scan compares one key with row after row that is mostly the same text, often the
    // same bytes: identical bytes are passed in sweeps, and only a difference is looked at
    // character by character.
    std::size_t i = 0, j = 0;
    // Where the characters holding i and j begin: a difference inside a multi-byte character is
    // decoded from there. A byte that is no continuation byte always begins a character, so both
    // strings agree on these places.
    std::size_t charA = 0, charB = 0;
    for (;;) {
        const std::size_t same = identicalBytes(a.data() + i, b.data() + j, std::min(a.size() - i, b.size() - j));
        for (std::size_t back = same; back > 0; --back)
            if (!isContinuation(static_cast<unsigned char>(a[i + back - 1]))) {
                charA = i + back - 1, charB = j + back - 1;
                break;
            }
        i += same, j += same;
        const bool endA = i == a.size();
        const bool endB = j == b.size();
        if (endA && endB)
            return 0;
        const auto x = endA ? 0 : static_cast<unsigned char>(a[i]);
        const auto y = endB ? 0 : static_cast<unsigned char>(b[j]);
        if (endA || endB) {
            // One text ends here, unless the other goes on inside a character begun in the shared
            // part: the shared lead byte is then a whole character there and a stray byte here.
            if (!isContinuation(endA ? y : x))
                return endA ? -1 : 1;
        } else {
            if (!isContinuation(x) && !isContinuation(y))
                charA = i, charB = j;
            if (x < 0x80 && y < 0x80) {
                const int d = int(folded(x)) - int(folded(y));
                if (d != 0)
                    return sign(d);
                ++i, ++j;
                continue;
            }
        }
        if (charA == a.size() || charB == b.size())
            return sign(std::int64_t(a.size() - charA) - std::int64_t(b.size() - charB));
        const CodePoint p = decodeAt(a, charA);
        const CodePoint q = decodeAt(b, charB);
        const std::int64_t d = std::int64_t(folded(p.value)) - std::int64_t(folded(q.value));
        if (d != 0)
            return sign(d);
        i = charA = charA + p.length;
        j = charB = charB + q.length;
    }
}

int collateFolded(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return compareFolded(std::string_view(static_cast<const char *>(a), std::size_t(lengthA)),
                         std::string_view(static_cast<const char *>(b), std::size_t(lengthB)));
}

} // namespace store
