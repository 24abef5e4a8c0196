#include "lookup/integersyntax.h"

#include <QString>
#include <gtest/gtest.h>

#include <limits>

using lookup::IntegerWidth;
using lookup::parseInteger;

namespace {

std::optional<std::int64_t> int32(const char16_t *text)
{
    return parseInteger(QStringView(text), IntegerWidth::Bits32);
}

std::optional<std::int64_t> int64(const char16_t *text)
{
    return parseInteger(QStringView(text), IntegerWidth::Bits64);
}

constexpr auto kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr auto kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax64 = std::numeric_limits<std::int64_t>::max();

} // namespace

TEST(IntegerSyntax, DecimalWithSignAndLeadingZeros)
{
    EXPECT_EQ(int32(u"12"), 12);
    EXPECT_EQ(int32(u"+12"), 12);
    EXPECT_EQ(int32(u"-12"), -12);
    EXPECT_EQ(int32(u"007"), 7);
    EXPECT_EQ(int32(u"-0"), 0);
    EXPECT_EQ(int32(u"0"), 0);
    EXPECT_EQ(int32(u"0000000000000000000000042"), 42);
}

TEST(IntegerSyntax, OnlyLeadingSpacesAreSkipped)
{
    EXPECT_EQ(int32(u" 12"), 12);
    EXPECT_EQ(int32(u"   -12"), -12);
    EXPECT_FALSE(int32(u"12 "));
    EXPECT_FALSE(int32(u"\t12"));
    EXPECT_FALSE(int32(u"- 12"));
    EXPECT_FALSE(int32(u"1 2"));
    EXPECT_FALSE(int32(u"\u00a012"));
}

TEST(IntegerSyntax, EmptyTextSignAndPrefixAloneAreNoIntegers)
{
    for (const char16_t *text : {u"", u" ", u"+", u"-", u"$", u"x", u"X", u"0x", u"0X", u"-$", u"+0x", u"--1", u"+-1"})
        EXPECT_FALSE(int32(text)) << QString::fromUtf16(text).toStdString();
}

TEST(IntegerSyntax, DecimalBoundariesAt32Bits)
{
    EXPECT_EQ(int32(u"2147483647"), kMax32);
    EXPECT_EQ(int32(u"-2147483648"), kMin32);
    EXPECT_FALSE(int32(u"2147483648"));
    EXPECT_FALSE(int32(u"-2147483649"));
    EXPECT_FALSE(int32(u"99999999999999999999999"));
    EXPECT_EQ(int32(u"000002147483647"), kMax32);
}

TEST(IntegerSyntax, DecimalBoundariesAt64Bits)
{
    EXPECT_EQ(int64(u"9223372036854775807"), kMax64);
    EXPECT_EQ(int64(u"-9223372036854775808"), kMin64);
    EXPECT_FALSE(int64(u"9223372036854775808"));
    EXPECT_FALSE(int64(u"-9223372036854775809"));
    EXPECT_FALSE(int64(u"18446744073709551616"));
    EXPECT_EQ(int64(u"+79161234567"), 79161234567);
}

TEST(IntegerSyntax, EveryHexadecimalPrefix)
{
    for (const char16_t *text : {u"$1F", u"x1F", u"X1f", u"0x1f", u"0X1F", u" +$1f"})
        EXPECT_EQ(int32(text), 31) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(int32(u"-$1F"), -31);
    EXPECT_EQ(int32(u"$C"), 12);
}

TEST(IntegerSyntax, HexadecimalNeedsHexDigitsAndNothingAfter)
{
    EXPECT_FALSE(int32(u"$G"));
    EXPECT_FALSE(int32(u"$1G"));
    EXPECT_FALSE(int32(u"$1 "));
    EXPECT_FALSE(int32(u"0x$1"));
    EXPECT_FALSE(int32(u"$$1"));
    EXPECT_FALSE(int32(u"1F"));
    // Only a leading "0x" switches to hexadecimal; after more zeros the x is trailing garbage.
    EXPECT_FALSE(int32(u"00x1"));
    EXPECT_FALSE(int32(u"1x1"));
}

TEST(IntegerSyntax, HexadecimalIsTwosComplementOfEightDigitsAt32Bits)
{
    EXPECT_EQ(int32(u"$7FFFFFFF"), kMax32);
    EXPECT_EQ(int32(u"$80000000"), kMin32);
    EXPECT_EQ(int32(u"$FFFFFFFF"), -1);
    EXPECT_EQ(int32(u"-$FFFFFFFF"), 1);
    EXPECT_EQ(int32(u"-$80000000"), kMin32);
    EXPECT_EQ(int32(u"$00000000FFFFFFFF"), -1);
    EXPECT_FALSE(int32(u"$100000000"));
    EXPECT_FALSE(int32(u"$1FFFFFFFF"));
}

TEST(IntegerSyntax, HexadecimalIsTwosComplementOfSixteenDigitsAt64Bits)
{
    EXPECT_EQ(int64(u"$7FFFFFFFFFFFFFFF"), kMax64);
    EXPECT_EQ(int64(u"$8000000000000000"), kMin64);
    EXPECT_EQ(int64(u"$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(int64(u"$FFFFFFFF"), 0xFFFFFFFFLL);
    EXPECT_EQ(int64(u"-0x10"), -16);
    EXPECT_EQ(int64(u"$0000FFFFFFFFFFFFFFFF"), -1);
    EXPECT_FALSE(int64(u"$10000000000000000"));
}

TEST(IntegerSyntax, NonAsciiDigitsAreNoDigits)
{
    EXPECT_FALSE(int32(u"\u0661\u0662")); // Arabic-Indic digits
    EXPECT_FALSE(int32(u"\uff11\uff12")); // full-width digits
    EXPECT_FALSE(int32(u"$\uff21"));      // full-width A
}
