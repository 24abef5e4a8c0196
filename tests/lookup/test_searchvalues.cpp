#include "tests/lookup/searchfieldsbuilder.h"
#include "lookup/searchvalues.h"

#include <gtest/gtest.h>

using namespace lookup;
using enum store::EntryField;

TEST(SearchValues, TextsAreKeptAsTyped)
{
    const SearchValues values = collect(fieldsOf({{Surname, QStringLiteral("иВАНОВ")},
                                                  {GivenName, QStringLiteral("иван")},
                                                  {Patronymic, QStringLiteral("ИВАНОВИЧ")},
                                                  {Phone, QStringLiteral(" +7916")},
                                                  {Street, QStringLiteral("8-марта")},
                                                  {Fraction, QStringLiteral("а\"б ")}}));
    EXPECT_EQ(values.surname, QStringLiteral("иВАНОВ"));
    EXPECT_EQ(values.givenName, QStringLiteral("иван"));
    EXPECT_EQ(values.patronymic, QStringLiteral("ИВАНОВИЧ"));
    EXPECT_EQ(values.phone, QStringLiteral(" +7916"));
    EXPECT_EQ(values.street, QStringLiteral("8-марта"));
    EXPECT_EQ(values.fraction, QStringLiteral("а\"б "));
}

TEST(SearchValues, EmptyHouseAndFlatAreNotGiven)
{
    const SearchValues values = collect(SearchFields{});
    EXPECT_FALSE(values.house);
    EXPECT_FALSE(values.flat);
    EXPECT_EQ(values.houseOrZero(), 0);
    EXPECT_EQ(values.flatOrZero(), 0);
}

TEST(SearchValues, TypedZeroIsAValue)
{
    const SearchValues values = collect(fieldsOf({{House, QStringLiteral("0")}, {Flat, QStringLiteral("-0")}}));
    EXPECT_EQ(values.house, 0);
    EXPECT_EQ(values.flat, 0);
}

TEST(SearchValues, NumbersAreReadBySyntax)
{
    const SearchValues values = collect(fieldsOf({{House, QStringLiteral("$FFFFFFFF")}, {Flat, QStringLiteral(" +007")}}));
    EXPECT_EQ(values.house, -1);
    EXPECT_EQ(values.flat, 7);
}
