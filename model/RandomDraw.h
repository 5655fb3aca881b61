// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zorvikta {

// The random presets' generator: a linear congruential sequence that nothing ever seeds, so every
// run of the program draws the same patterns in the same order.
class RandomDraw {
public:
    // Advances the state and returns a value in 0..range-1; range must be positive.
    int operator()(int range);

    std::uint32_t RandomState = 0;
};

} // namespace zorvikta
