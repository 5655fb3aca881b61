// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/WireFormat.h"

#include <stdint.h>

namespace zorvikta {

// Plays the pattern on the relays, timed by Timer1: a 10 ms tick counts out each step's period,
// so the steps keep the crystal's accuracy whatever the main loop does.
namespace player {

// Starts the tick with the relays dark and no pattern.
void start(uint8_t speed);

// Replaces the pattern (at most kLongestPattern steps) and plays it from its first step, which
// starts now. An empty pattern leaves the relays dark.
void play(const uint8_t* steps, uint8_t length);

// Applies from the next step on; the step under way keeps its period.
void setSpeed(uint8_t speed);

// Lights the LED for a moment, as a sign that a message came.
void blink();

// 10 ms ticks since the start; wraps after about 11 minutes.
uint16_t ticks();
constexpr uint16_t kTicksPerSecond = 100;

} // namespace player

} // namespace zorvikta
