// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"

#include <cstdint>

namespace zorvikta {

// The whole-pattern commands. Each changes only the step bytes named here; the channel count,
// length, speed, reserved and spare bytes are never written.

// Steps 0..120 := 0x00, also beyond the length and on hidden channels.
void clearAll(RunRecord& record);

// Steps 0..120 := 0xF0: every lamp on, low nibble 0.
void fillAll(RunRecord& record);

// Steps 0..120 := bitwise NOT, low nibble included.
void invert(RunRecord& record);

// Steps markedStep..120 take the byte above them (step 120 takes TailSlot, which keeps its value).
// A mark outside 0..120 changes nothing.
void deleteStep(RunRecord& record, std::int32_t markedStep);

// Steps markedStep..120 move up by one (step 120 lands in TailSlot); the marked step stays, so the
// inserted step is a copy of it. A mark outside 0..120 changes nothing.
void insertStep(RunRecord& record, std::int32_t markedStep);

// Mirrors steps 0..L-1 where L is the record's length byte.
void reverseSteps(RunRecord& record);

// Steps 0..120: channel 1 <-> 4 and 2 <-> 3 whatever the channel count; the low nibble becomes 0.
void swapChannels(RunRecord& record);

} // namespace zorvikta
