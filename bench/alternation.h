#pragma once

#include <functional>

#include <benchmark/benchmark.h>

namespace bench {

// A floor and its product measured by turns inside one benchmark: each iteration runs a batch of
// the floor's work and a batch of the product's (which goes first alternates), timing each side on
// its own. Both sides thus meet the machine in the same spells, which on a shared virtual machine
// steadies their ratio far more than separate benchmarks can. The per-call times are the
// counters floor_ns and product_ns, by the thread's processor time or, for work that waits, by the
// wall clock. A side that returns false has failed: the benchmark stops with an error.
void alternate(benchmark::State &state, const std::function<bool()> &floor, const std::function<bool()> &product,
               int batch, bool wallClock);

} // namespace bench
