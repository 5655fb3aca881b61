// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bytes of the two messages on the line. Freestanding (<stdint.h> only, C++14 at most), so
// that the board's firmware and the program agree on them by construction.
#include <stdint.h>

namespace zorvikta {

constexpr int kUploadMessageSize = 120;
constexpr int kSpeedMessageSize = 3;

// Starts both messages and closes the speed message.
constexpr uint8_t kMessageHeader = 0xFF;
// Second byte of the upload message; a speed in range never takes this value.
constexpr uint8_t kUploadMark = 0xFE;
constexpr int kUploadHeaderSize = 2;
// Steps 0..117 of the record: the longest pattern and at least 18 end markers.
constexpr int kUploadStepCount = kUploadMessageSize - kUploadHeaderSize;
// The longest pattern: its first end marker comes at this index at the latest.
constexpr int kLongestPattern = 100;

// The speeds a board applies; any other value in a speed message is ignored.
constexpr uint8_t kSlowestSpeed = 5;
constexpr uint8_t kFastestSpeed = 250;

constexpr bool isSpeedInRange(uint8_t speed)
{
    return speed >= kSlowestSpeed && speed <= kFastestSpeed;
}

// A board that has had no speed message yet plays at the program's opening speed.
constexpr uint8_t kBoardStartSpeed = 230;

} // namespace zorvikta
