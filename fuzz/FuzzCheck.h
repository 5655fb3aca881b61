// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zorvikta::fuzz {

// A broken promise is a finding: say which one and abort, so that libFuzzer keeps the input.
inline void require(bool condition, const char* promise)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

} // namespace zorvikta::fuzz
