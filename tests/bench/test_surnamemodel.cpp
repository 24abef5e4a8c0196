#include "bench/surnamemodel.h"

#include <gtest/gtest.h>

#include <numeric>
#include <unordered_map>

namespace {

using bench::SurnameModel;

// Built once: the full model takes a moment.
const SurnameModel &model()
{
    static const SurnameModel m;
    return m;
}

constexpr std::uint64_t kFullDirectory = 5'000'000;

TEST(SurnameModel, SharesAddUpToEveryEntry)
{
    double total = 0;
    for (std::size_t r = 0; r < model().size(); ++r)
        total += model().share(r);
    EXPECT_NEAR(total, 1.0, 1e-9);
}

TEST(SurnameModel, AFewSurnamesHoldOneToThreePerCentEach)
{
    EXPECT_LE(model().share(0), 0.03);
    int large = 0;
    for (std::size_t r = 0; r < model().size(); ++r)
        large += model().share(r) >= 0.01;
    EXPECT_GE(large, 3);
    EXPECT_LE(large, 12);
    EXPECT_EQ(model().masculine(0), "Иванов");
}

TEST(SurnameModel, SharesNeverGrowWithTheRank)
{
    for (std::size_t r = 1; r < model().size(); ++r)
        ASSERT_LE(model().share(r), model().share(r - 1)) << r;
}

TEST(SurnameModel, TheMostCommonFormHasFiftyThousandEntriesInAFullDirectory)
{
    EXPECT_GE(model().expectedPerForm(0, kFullDirectory), 50'000);
}

TEST(SurnameModel, TheTailIsRareEvenInAFullDirectory)
{
    const double last = model().expectedPerForm(model().size() - 1, kFullDirectory);
    EXPECT_GT(last, 0.3);
    EXPECT_LT(last, 3);
    // Tens of thousands of surnames that a search finds one to ten times.
    const std::size_t from = model().rankExpected(10, kFullDirectory);
    EXPECT_GT(model().size() - from, 50'000u);
}

TEST(SurnameModel, RankExpectedIsTheFirstRankAtOrBelowTheCount)
{
    const std::size_t r = model().rankExpected(5, 200'000);
    EXPECT_LE(model().expectedPerForm(r, 200'000), 5);
    EXPECT_GT(model().expectedPerForm(r - 1, 200'000), 5);
}

TEST(SurnameModel, FormsAreDistinctAcrossSurnames)
{
    std::unordered_map<std::string, std::size_t> owner;
    for (std::size_t r = 0; r < model().size(); ++r) {
        const auto [m, freshM] = owner.emplace(model().masculine(r), r);
        ASSERT_TRUE(freshM) << model().masculine(r);
        // The feminine form may equal its own masculine form (Шевченко), never another surname.
        const auto [f, freshF] = owner.emplace(model().feminine(r), r);
        ASSERT_TRUE(freshF || f->second == r) << model().feminine(r) << " of rank " << r << " and " << f->second;
    }
}

TEST(SurnameModel, DrawsFollowTheShares)
{
    SurnameModel drawing(1000);
    std::mt19937_64 engine(7);
    constexpr int kDraws = 200'000;
    std::vector<int> counts(drawing.size());
    for (int i = 0; i < kDraws; ++i)
        ++counts[drawing.draw(engine)];
    EXPECT_NEAR(double(counts[0]) / kDraws, drawing.share(0), 0.003);
    EXPECT_NEAR(double(counts[20]) / kDraws, drawing.share(20), 0.002);
    EXPECT_GT(counts[999], 0);
}

TEST(SurnameModel, RefusesFewerSurnamesThanItsHead)
{
    EXPECT_THROW(SurnameModel(3), std::invalid_argument);
}

} // namespace
