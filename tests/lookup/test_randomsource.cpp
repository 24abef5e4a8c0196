#include "lookup/randomsource.h"

#include <gtest/gtest.h>

#include <vector>

using lookup::RandomSource;

namespace {

std::vector<std::uint32_t> draws(RandomSource &random, std::initializer_list<std::uint32_t> ranges)
{
    std::vector<std::uint32_t> out;
    for (std::uint32_t n : ranges)
        out.push_back(random.draw(n));
    return out;
}

} // namespace

TEST(RandomSource, FollowsTheRecurrenceFromZero)
{
    RandomSource random;
    random.setState(0);
    EXPECT_EQ(draws(random, {100, 100, 100, 100, 100, 100}), (std::vector<std::uint32_t>{0, 3, 86, 20, 27, 67}));
    EXPECT_EQ(random.state(), 2884733762u);
}

TEST(RandomSource, StateWrapsModuloTwoToThe32)
{
    RandomSource random;
    random.setState(0xFFFFFFFFu);
    EXPECT_EQ(draws(random, {5, 58, 39, 52, 90, 217, 9, 10}), (std::vector<std::uint32_t>{4, 11, 20, 6, 78, 5, 4, 9}));
    EXPECT_EQ(random.state(), 4086028183u);
}

TEST(RandomSource, DrawIsTheUpperHalfOfTheProduct)
{
    RandomSource random;
    random.setState(12345);
    EXPECT_EQ(random.draw(0xFFFFFFFFu), 1655067933u);
    EXPECT_EQ(random.state(), 1655067934u);
}

TEST(RandomSource, DrawOfZeroIsZeroButAdvancesTheState)
{
    RandomSource random;
    random.setState(7);
    EXPECT_EQ(random.draw(0), 0u);
    EXPECT_EQ(random.state(), 7u * 134775813u + 1u);
}

TEST(RandomSource, DrawStaysBelowItsRange)
{
    RandomSource random;
    random.setState(0x9E3779B9u);
    for (int i = 0; i < 10000; ++i)
        ASSERT_LT(random.draw(7), 7u);
}

TEST(RandomSource, FixedSeedHoldsAtEveryReseed)
{
    RandomSource random;
    random.setFixedSeed(42);
    random.reseed();
    const auto first = draws(random, {58, 39, 52, 90, 217});
    random.reseed();
    EXPECT_EQ(random.state(), 42u);
    EXPECT_EQ(draws(random, {58, 39, 52, 90, 217}), first);
}
