#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant stops the fuzzer with the input that broke it.
inline void FuzzCheck(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "FAIL: %s\n", what);
        std::abort();
    }
}
