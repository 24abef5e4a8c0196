#include "jet/reader/jettext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(char(v));
    return out;
}

TEST(JetText, PlainUtf16LittleEndian)
{
    // "Мир" as UTF-16LE
    EXPECT_EQ(jetTextToUtf8(bytes({0x1C, 0x04, 0x38, 0x04, 0x40, 0x04})), "Мир");
}

TEST(JetText, CompressedLatinOneBytePerCharacter)
{
    EXPECT_EQ(jetTextToUtf8(bytes({0xFF, 0xFE, 'a', 'b', 0xE4})), "abä");
}

TEST(JetText, CompressedRunsSwitchOnZeroByte)
{
    // "ab", switch, "Иа" in two-byte form, switch back, "c"
    EXPECT_EQ(jetTextToUtf8(bytes({0xFF, 0xFE, 'a', 'b', 0x00, 0x18, 0x04, 0x30, 0x04, 0x00, 'c'})), "abИаc");
}

TEST(JetText, SurrogatePairBecomesOneCharacter)
{
    // U+1F600 is D83D DE00; libmdb's own converter would give '?'
    EXPECT_EQ(jetTextToUtf8(bytes({0x3D, 0xD8, 0x00, 0xDE})), "\xF0\x9F\x98\x80");
}

TEST(JetText, LoneSurrogateBecomesReplacementCharacter)
{
    EXPECT_EQ(jetTextToUtf8(bytes({0x3D, 0xD8, 'x', 0x00})), "\xEF\xBF\xBDx");
    EXPECT_EQ(jetTextToUtf8(bytes({0x00, 0xDE})), "\xEF\xBF\xBD");
}

TEST(JetText, EmptyAndOddLengths)
{
    EXPECT_EQ(jetTextToUtf8(""), "");
    EXPECT_EQ(jetTextToUtf8(bytes({0xFF, 0xFE})), "");
    EXPECT_EQ(jetTextToUtf8(bytes({'a', 0x00, 'b'})), "a");        // a dangling byte is no character
    EXPECT_EQ(jetTextToUtf8(bytes({0xFF, 0xFE, 0x00, 0x18})), ""); // half a two-byte character
}

TEST(JetText, EmbeddedNulCharacterIsKept)
{
    EXPECT_EQ(jetTextToUtf8(bytes({'a', 0x00, 0x00, 0x00, 'b', 0x00})), std::string("a\0b", 3));
}

} // namespace
