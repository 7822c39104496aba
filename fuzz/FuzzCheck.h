#pragma once

#include <cstdio>
#include <cstdlib>

// A property the code under test must keep for every input; a breach ends the run the way a
// crash does, so libFuzzer keeps the input that showed it.
#define TQ_FUZZ_CHECK(condition)                                                                                       \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
