#pragma once

// What a fuzz target holds true of every input. A broken promise aborts, which libFuzzer
// reports like a crash and keeps the input that caused it.

#include <cstdio>
#include <cstdlib>

namespace zv::fuzz {

inline void Require(bool holds, const char *promise)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

} // namespace zv::fuzz
