#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// Distinct ten-digit phone numbers as the program's own scheme makes them: a three-digit prefix
// of the tel table, a digit from 1 to 9 and six more digits. Number i is a fixed scramble of i,
// so numbers 0 .. capacity()-1 are all different and do not follow the order of the entries.
class PhoneNumbers {
public:
    explicit PhoneNumbers(std::vector<std::string> prefixes);

    std::uint64_t capacity() const { return m_capacity; }
    // Writes number i (< capacity) into out, replacing its contents.
    void format(std::uint64_t i, std::string &out) const;

private:
    std::vector<std::string> m_prefixes;
    std::uint64_t m_capacity;
    std::uint64_t m_multiplier;
};

} // namespace bench
