#pragma once

#include <cstdio>
#include <cstdlib>

// A property the fuzzed code must keep. A broken one stops the run with the reason, and libFuzzer
// keeps the input that broke it.
#define FUZZ_REQUIRE(condition, ...)                                                                \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "property broken at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                                      \
            std::fprintf(stderr, "\n");                                                             \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)
