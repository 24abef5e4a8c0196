#include "bench/alternation.h"

#include <time.h>

namespace bench {

namespace {

double nowNs(bool wallClock)
{
    timespec t{};
    clock_gettime(wallClock ? CLOCK_MONOTONIC : CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// Runs the side batch times and adds its time; false when a run failed.
bool timed(const std::function<bool()> &side, int batch, bool wallClock, double &total)
{
    const double start = nowNs(wallClock);
    for (int i = 0; i < batch; ++i)
        if (!side())
            return false;
    total += nowNs(wallClock) - start;
    return true;
}

} // namespace

void alternate(benchmark::State &state, const std::function<bool()> &floor, const std::function<bool()> &product,
               int batch, bool wallClock)
{
    double floorNs = 0, productNs = 0;
    bool floorFirst = true;
    for (auto _ : state) {
        const bool ok = floorFirst ? timed(floor, batch, wallClock, floorNs) && timed(product, batch, wallClock, productNs)
                                   : timed(product, batch, wallClock, productNs) && timed(floor, batch, wallClock, floorNs);
        if (!ok) {
            state.SkipWithError("a side of the pair did not do its work");
            return;
        }
        floorFirst = !floorFirst;
    }
    state.counters["floor_ns"] = benchmark::Counter(floorNs / batch, benchmark::Counter::kAvgIterations);
    state.counters["product_ns"] = benchmark::Counter(productNs / batch, benchmark::Counter::kAvgIterations);
}

} // namespace bench
