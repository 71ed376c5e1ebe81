// What the fuzz targets share: a failed expectation ends the run with a
// message (libFuzzer then keeps the input as a crash; the corpus replay
// reports the file).
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_EXPECT(cond, what)                                                                                       \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "fuzz expectation failed: %s (%s)\n", what, #cond);                                   \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
