#include "bench/phonenumbers.h"

#include <numeric>
#include <stdexcept>

namespace bench {

namespace {

constexpr std::uint64_t kSubscribers = 9'000'000; // 1000000 .. 9999999 behind each prefix
constexpr std::uint64_t kScramble = 2'654'435'761; // Knuth's multiplicative constant
// Keeps number 0 from being the prefix followed by 1000000.
constexpr std::uint64_t kOffset = 4'711'813;

} // namespace

PhoneNumbers::PhoneNumbers(std::vector<std::string> prefixes)
    : m_prefixes(std::move(prefixes))
    , m_capacity(m_prefixes.size() * kSubscribers)
    , m_multiplier(kScramble)
{
    if (m_prefixes.empty())
        throw std::invalid_argument("phone numbers: no prefixes");
    // i -> i * m mod capacity is a permutation exactly when m and the capacity are coprime.
    while (std::gcd(m_multiplier, m_capacity) != 1)
        ++m_multiplier;
}

void PhoneNumbers::format(std::uint64_t i, std::string &out) const
{
    const std::uint64_t scrambled = ((i % m_capacity) * m_multiplier + kOffset) % m_capacity;
    out.assign(m_prefixes[scrambled / kSubscribers]);
    std::uint64_t subscriber = 1'000'000 + scrambled % kSubscribers;
    char digits[7];
    for (int d = 6; d >= 0; --d, subscriber /= 10)
        digits[d] = char('0' + subscriber % 10);
    out.append(digits, sizeof digits);
}

} // namespace bench
