#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A broken invariant stops the fuzzer with the input that broke it.
inline void FuzzCheck(bool ok, const std::string &what)
{
    if (!ok) {
        std::fprintf(stderr, "FAIL: %s\n", what.c_str());
        std::abort();
    }
}
