// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zorvikta {

// What the pointer does while a mouse button is held over the grid.
enum DrawModeValue : std::int32_t { DrawNone = 0, DrawOn = 1, DrawOff = 2 };

// Step index that lies beyond every visible step (the last visible index is 99).
inline constexpr std::int32_t kNoStep = 100;

// The cursor state that the grid, the step commands and the emulator share.
struct Cursor {
    std::int32_t HoverStep = kNoStep;
    std::int32_t MarkedStep = kNoStep;
    std::int32_t PlayStep = 0;
    std::int32_t DrawMode = DrawNone;
};

} // namespace zorvikta
