// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/StepBytes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace zorvikta {

// The one pattern record: 129 bytes, of which the first 128 are the run file.
inline constexpr int kRecordSize = 129;
inline constexpr int kFileSize = 128;

inline constexpr int kStepCount = 121; // Steps: bytes 0..120
inline constexpr int kTailSlot = 121;
inline constexpr int kReservedFirst = 122; // Reserved: bytes 122..124
inline constexpr int kChannelCountIndex = 125;
inline constexpr int kLengthIndex = 126;
inline constexpr int kSpeedIndex = 127;
inline constexpr int kSpareIndex = 128; // memory only, never in a file

// Ranges of the three values the record shares with the window's controls.
inline constexpr int kMinChannels = 2;
inline constexpr int kMaxChannels = 4;
inline constexpr int kMinLength = 4;
inline constexpr int kMaxLength = 100;
inline constexpr int kMinSpeed = 5;
inline constexpr int kMaxSpeed = 250;

using RunRecord = std::array<std::uint8_t, kRecordSize>;
using RunFileImage = std::array<std::uint8_t, kFileSize>;

// The steps a record shows: its length byte, which a foreign file may set to anything, brought
// into the length control's range.
constexpr int shownLength(int lengthByte)
{
    return std::clamp(lengthByte, kMinLength, kMaxLength);
}

// The window's control values for the header bytes. A handler that owns only some of the controls
// leaves the others empty, and their bytes keep what the record holds.
struct HeaderValues {
    std::optional<int> channelCount{};
    std::optional<int> length{};
    std::optional<int> speed{};
};

void writeHeader(RunRecord& record, const HeaderValues& values);

// ANDs every byte of Steps with 0xF0, removing every end marker.
void clearLowNibbles(RunRecord& record);

// Sets bytes length..121 (TailSlot included) to the end marker; nothing when length > 121.
void fillEndMarkers(RunRecord& record, int length);

// The upload's preparation: low nibbles cleared, then the end-marker fill. Save and Save As reach
// the same steps in two stages: they clear the low nibbles, and the run-file writer fills.
void normalise(RunRecord& record, int length);

RunFileImage fileImage(const RunRecord& record);
void takeFileImage(RunRecord& record, const RunFileImage& image);

} // namespace zorvikta
