#include "lookup/randomsource.h"

#include <chrono>

namespace lookup {

void RandomSource::reseed()
{
    if (m_fixedSeed) {
        m_state = *m_fixedSeed;
        return;
    }
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch();
    m_state = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(ticks).count());
}

std::uint32_t RandomSource::draw(std::uint32_t n)
{
    m_state = m_state * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t(m_state) * n) >> 32);
}

} // namespace lookup
