#include "store/sqlite/collation.h"

#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using store::compareFolded;

namespace {

std::string utf8(const QString &s)
{
    return s.toStdString();
}

std::string utf8(char32_t c)
{
    return utf8(QString::fromUcs4(&c, 1));
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// An independent oracle: Qt's own lower-casing, compared code point by code point. It agrees with
// the collation on the letters the collation folds, so the tests draw only from those and from
// characters that have no case.
int reference(const std::string &a, const std::string &b)
{
    const auto x = QString::fromStdString(a).toLower().toUcs4();
    const auto y = QString::fromStdString(b).toLower().toUcs4();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end())   ? -1
           : std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end()) ? 1
                                                                                  : 0;
}

std::vector<char32_t> alphabet()
{
    std::vector<char32_t> chars;
    for (char32_t c = 'A'; c <= 'Z'; ++c)
        chars.insert(chars.end(), {c, c + 32});
    for (char32_t c = 0x0400; c <= 0x045F; ++c)
        chars.push_back(c);
    chars.insert(chars.end(), {0x0490, 0x0491, '0', '9', '-', ' ', '_', '[', '`', '~', 0xD7, 0x20AC, 0x1F600});
    return chars;
}

std::string randomText(std::mt19937 &rng, const std::vector<char32_t> &chars, std::size_t maxLength)
{
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, chars.size() - 1);
    std::string s;
    for (std::size_t n = length(rng); n > 0; --n)
        s += utf8(chars[pick(rng)]);
    return s;
}

} // namespace

TEST(Collation, LatinLettersIgnoreCase)
{
    EXPECT_EQ(compareFolded("Ivanov", "iVANOV"), 0);
    for (char c = 'A'; c <= 'Z'; ++c)
        EXPECT_EQ(compareFolded(std::string(1, c), std::string(1, char(c + 32))), 0) << c;
}

TEST(Collation, EveryCyrillicCapitalEqualsItsSmallLetter)
{
    for (char32_t c = 0x0410; c <= 0x042F; ++c)
        EXPECT_EQ(compareFolded(utf8(c), utf8(c + 0x20)), 0) << std::uint32_t(c);
    for (char32_t c = 0x0400; c <= 0x040F; ++c)
        EXPECT_EQ(compareFolded(utf8(c), utf8(c + 0x50)), 0) << std::uint32_t(c);
    EXPECT_EQ(compareFolded("Ґ", "ґ"), 0);
}

TEST(Collation, LookupExamples)
{
    EXPECT_EQ(compareFolded("иванов", "Иванов"), 0);
    EXPECT_EQ(compareFolded("ЁЛКИН", "Ёлкин"), 0);
    EXPECT_EQ(compareFolded("ёлкин", "ЁЛКИН"), 0);
    EXPECT_EQ(compareFolded("иВАНОВ", "Иванов"), 0);
}

TEST(Collation, YoIsNotYe)
{
    EXPECT_NE(compareFolded("Ёлкин", "Елкин"), 0);
    EXPECT_NE(compareFolded("ё", "е"), 0);
}

TEST(Collation, OrdersByFoldedCodePoint)
{
    EXPECT_LT(compareFolded("a", "B"), 0);
    EXPECT_LT(compareFolded("A", "b"), 0);
    EXPECT_GT(compareFolded("Z", "a"), 0);
    EXPECT_LT(compareFolded("Абв", "абГ"), 0);
    EXPECT_LT(compareFolded("Иван", "иванов"), 0);
    EXPECT_LT(compareFolded("", "а"), 0);
    EXPECT_LT(compareFolded("zebra", "Аист"), 0); // Latin before Cyrillic
    // Ё (U+0401) folds to ё (U+0451), which comes after я.
    EXPECT_GT(compareFolded("Ё", "я"), 0);
    // '_' (0x5F) lies between the Latin capitals and small letters: only folding puts 'A' after it.
    EXPECT_GT(compareFolded("A", "_"), 0);
}

TEST(Collation, AgreesWithLowerCasingOnRandomTexts)
{
    const auto chars = alphabet();
    std::mt19937 rng(20240601);
    for (int i = 0; i < 20000; ++i) {
        const std::string a = randomText(rng, chars, 14);
        std::string b = (i % 3 == 0) ? QString::fromStdString(a).toUpper().toStdString() : randomText(rng, chars, 6);
        if (i % 5 == 0 && !b.empty())
            b = a + b.substr(0, 1); // a shared prefix, then a difference
        if (i % 7 == 1) {
            // The same bytes for a while, then one character in another case or another letter.
            const QString text = QString::fromStdString(a);
            const qsizetype at = text.isEmpty() ? 0 : qsizetype(rng() % std::size_t(text.size()));
            const QString other = i % 2 ? text.mid(at, 1).toUpper() : QString::fromStdString(utf8(chars[rng() % chars.size()]));
            b = (text.left(at) + other + text.mid(at + 1)).toStdString();
        }
        ASSERT_EQ(sign(compareFolded(a, b)), reference(a, b)) << a << " | " << b;
    }
}

TEST(Collation, MalformedBytesGiveAConsistentOrder)
{
    // Random bytes, mostly not UTF-8: the comparison must still be a strict weak order so that an
    // index built with it stays searchable.
    std::mt19937 rng(7);
    const unsigned char pool[] = {0x41, 0x61, 0x80, 0xBF, 0xC0, 0xC1, 0xC3, 0xD0, 0xD1, 0xD2, 0x90, 0x91,
                                  0x81, 0xA8, 0xE0, 0xED, 0xA0, 0xF0, 0xF4, 0x8F, 0xFF, 0x20};
    std::uniform_int_distribution<int> length(0, 6), pick(0, int(sizeof pool) - 1);
    std::vector<std::string> texts;
    for (int i = 0; i < 120; ++i) {
        std::string s;
        for (int n = length(rng); n > 0; --n)
            s.push_back(char(pool[pick(rng)]));
        texts.push_back(s);
    }
    for (const auto &a : texts) {
        ASSERT_EQ(compareFolded(a, a), 0);
        for (const auto &b : texts) {
            const int ab = compareFolded(a, b);
            ASSERT_EQ(sign(ab), -sign(compareFolded(b, a)));
            for (const auto &c : texts) {
                const int bc = compareFolded(b, c);
                if (ab <= 0 && bc <= 0) {
                    ASSERT_LE(compareFolded(a, c), 0) << "not transitive";
                }
            }
        }
    }
}

TEST(Collation, MalformedBytesSortAfterCharactersAndStayDistinct)
{
    EXPECT_GT(compareFolded("\xFF", utf8(char32_t(0x1F600))), 0);
    EXPECT_NE(compareFolded("\xC3", "\xC4"), 0);
    EXPECT_NE(compareFolded("\xC3\x41", "\xC3\x80"), 0); // a lead byte alone, then A, versus À
    EXPECT_NE(compareFolded("\xC1\x81", "A"), 0);       // an overlong A is no A
    // A lead byte that ends one text is a stray byte there, but begins a character in the other.
    EXPECT_GT(compareFolded("\xF0", "\xF0\x90\x80\x80"), 0);
    EXPECT_LT(compareFolded("\xF0\x90\x80\x80", "\xF0"), 0);
}
