#include "jet/reader/jettext.h"

#include <cstdint>
#include <vector>

namespace {

std::vector<char16_t> utf16Units(std::string_view stored)
{
    std::vector<char16_t> units;
    units.reserve(stored.size());
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(stored[i]); };
    const bool compressed = stored.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    if (!compressed) {
        for (std::size_t i = 0; i + 1 < stored.size(); i += 2)
            units.push_back(char16_t(byte(i) | (byte(i + 1) << 8)));
        return units;
    }
    bool oneByte = true;
    for (std::size_t i = 2; i < stored.size();) {
        if (byte(i) == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            units.push_back(char16_t(byte(i)));
            ++i;
        } else if (i + 1 < stored.size()) {
            units.push_back(char16_t(byte(i) | (byte(i + 1) << 8)));
            i += 2;
        } else {
            break;
        }
    }
    return units;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

bool isHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

std::string jetTextToUtf8(std::string_view stored)
{
    const std::vector<char16_t> units = utf16Units(stored);
    std::string out;
    out.reserve(units.size() * 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (isHighSurrogate(u) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
            ++i;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}
