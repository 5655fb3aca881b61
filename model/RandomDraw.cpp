// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RandomDraw.h"

namespace zorvikta {

namespace {

constexpr std::uint32_t kMultiplier = 134775813; // 0x08088405

} // namespace

int RandomDraw::operator()(int range)
{
    // Unsigned 32-bit arithmetic wraps modulo 2^32 by itself.
    RandomState = RandomState * kMultiplier + 1u;
    const std::uint64_t product = std::uint64_t{RandomState} * static_cast<std::uint32_t>(range);
    return static_cast<int>(product >> 32);
}

} // namespace zorvikta
