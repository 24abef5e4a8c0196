#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace bench {

// How often each surname occurs in a large Russian directory: a head of real surnames, the first
// few in 1-3 % of the entries each, then a Zipf tail (share proportional to 1/rank) of rarer and
// rarer ones, down to names that a directory of millions holds a few times. Rank 0 is the most
// frequent. Shares count both forms together.
class SurnameModel {
public:
    static constexpr std::size_t kDefaultDistinct = 200'000;

    explicit SurnameModel(std::size_t distinct = kDefaultDistinct);

    std::size_t size() const { return m_masculine.size(); }
    const std::string &masculine(std::size_t rank) const { return m_masculine[rank]; }
    const std::string &feminine(std::size_t rank) const { return m_feminine[rank]; }
    double share(std::size_t rank) const { return m_shares[rank]; }

    // Entries expected in one form of the surname among `rows` entries, half of them women.
    double expectedPerForm(std::size_t rank, std::uint64_t rows) const { return share(rank) * double(rows) / 2; }
    // The most frequent rank whose form is expected at most `count` times among `rows` entries.
    std::size_t rankExpected(double count, std::uint64_t rows) const;

    // A rank drawn with the model's shares.
    std::size_t draw(std::mt19937_64 &engine) { return m_distribution(engine); }

private:
    std::vector<std::string> m_masculine;
    std::vector<std::string> m_feminine;
    std::vector<double> m_shares;
    std::discrete_distribution<std::size_t> m_distribution;
};

} // namespace bench
