// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvikta {

// Emulator step period in milliseconds for a speed byte: 2500 at 5, 250 at 230, 50 at 250.
constexpr int stepPeriodMs(int speed)
{
    return ((speed & 0xFF) ^ 0xFF) * 10;
}

} // namespace zorvikta
