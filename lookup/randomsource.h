#pragma once

#include <cstdint>
#include <optional>

namespace lookup {

// The program's linear congruential source: state' = state * 134775813 + 1 (mod 2^32); a draw of n
// is the upper half of the 64-bit product state' * n.
class RandomSource {
public:
    // From the monotonic high-resolution clock (its low 32 bits), or the fixed seed when one is set.
    void reseed();
    // Reproducible runs (zelvik-cli find --seed, tests): every reseed puts this value in the state.
    void setFixedSeed(std::optional<std::uint32_t> seed) { m_fixedSeed = seed; }
    void setState(std::uint32_t state) { m_state = state; }
    std::uint32_t state() const { return m_state; }
    std::uint32_t draw(std::uint32_t n);

private:
    std::uint32_t m_state = 0;
    std::optional<std::uint32_t> m_fixedSeed;
};

} // namespace lookup
