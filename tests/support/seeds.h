#pragma once

#include "lookup/randomsource.h"

#include <cstdint>

// Seeds for a search (zelvik-cli find --seed, or a fixed seed of the random source) whose first draw
// the test knows: a search by name draws the number of entries first, a search by phone the gender.
namespace seeds {

// A seed whose search by name invents exactly that many entries (0..4); skip passes over the first ones.
inline std::uint32_t inventing(std::uint32_t entries, std::uint32_t skip = 0)
{
    for (std::uint32_t seed = 0;; ++seed) {
        lookup::RandomSource probe;
        probe.setState(seed);
        if (probe.draw(5) == entries && skip-- == 0)
            return seed;
    }
}

// A seed whose search by phone invents a woman: 1 of the first draw's 2 is a man.
inline std::uint32_t inventingAWoman()
{
    for (std::uint32_t seed = 0;; ++seed) {
        lookup::RandomSource probe;
        probe.setState(seed);
        if (probe.draw(2) != 1)
            return seed;
    }
}

} // namespace seeds
