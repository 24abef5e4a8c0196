#include "bench/surnamemodel.h"

#include "bench/commonsurnames.h"
#include "bench/surnameforms.h"
#include "bench/syntheticsurnames.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_set>

namespace bench {

namespace {

// Shares of the ten most frequent surnames: Ivanov and Smirnov lead Russian directories with a
// few per cent each.
constexpr std::array<double, 10> kHeadShares = {0.030, 0.022, 0.018, 0.015, 0.013,
                                                0.012, 0.011, 0.010, 0.010, 0.010};

// Steps through the synthetic names in a scattered order, so neighbouring ranks do not share
// their first syllables. Any step coprime to the count visits every name once.
constexpr std::uint64_t kSyntheticStep = 104'729; // prime

std::vector<double> zipfShares(std::size_t distinct)
{
    std::vector<double> shares(distinct);
    const std::size_t head = std::min(distinct, kHeadShares.size());
    std::copy_n(kHeadShares.begin(), head, shares.begin());
    double headTotal = 0;
    for (std::size_t r = 0; r < head; ++r)
        headTotal += shares[r];
    double harmonicTail = 0;
    for (std::size_t r = head; r < distinct; ++r)
        harmonicTail += 1.0 / double(r + 1);
    for (std::size_t r = head; r < distinct; ++r)
        shares[r] = (1.0 - headTotal) / harmonicTail / double(r + 1);
    return shares;
}

} // namespace

SurnameModel::SurnameModel(std::size_t distinct)
{
    const auto common = commonSurnames();
    if (distinct < kHeadShares.size() || distinct > common.size() + syntheticSurnameCount())
        throw std::invalid_argument("surname model: unsupported number of distinct surnames");

    m_masculine.reserve(distinct);
    std::unordered_set<std::string> taken;
    for (std::size_t r = 0; r < std::min(distinct, common.size()); ++r) {
        m_masculine.emplace_back(common[r]);
        taken.insert(m_masculine.back());
    }
    // A synthetic name can happen to be a real one (Баранов); the real one keeps its rank.
    for (std::uint64_t i = 0; m_masculine.size() < distinct; ++i) {
        std::string name = syntheticSurname(i * kSyntheticStep);
        if (taken.insert(name).second)
            m_masculine.push_back(std::move(name));
    }

    m_feminine.reserve(distinct);
    for (const std::string &name : m_masculine)
        m_feminine.push_back(feminineForm(name));

    m_shares = zipfShares(distinct);
    m_distribution = std::discrete_distribution<std::size_t>(m_shares.begin(), m_shares.end());
}

std::size_t SurnameModel::rankExpected(double count, std::uint64_t rows) const
{
    // Shares fall with the rank, so the first rank at or under the count is found by bisection.
    const auto it = std::partition_point(m_shares.begin(), m_shares.end(),
                                         [&](double s) { return s * double(rows) / 2 > count; });
    return std::min<std::size_t>(std::size_t(it - m_shares.begin()), size() - 1);
}

} // namespace bench
