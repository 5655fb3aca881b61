// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"

#include <QByteArray>

#include <cstdint>

namespace zorvikta {

inline constexpr int kUploadMessageSize = 120;
inline constexpr int kSpeedMessageSize = 3;

// Starts both messages and closes the speed message.
inline constexpr std::uint8_t kMessageHeader = 0xFF;
// Second byte of the upload message; a speed in range never takes this value.
inline constexpr std::uint8_t kUploadMark = 0xFE;
inline constexpr int kUploadHeaderSize = 2;
// Steps 0..117 of the record: the longest pattern and at least 18 end markers.
inline constexpr int kUploadStepCount = kUploadMessageSize - kUploadHeaderSize;

// 0xFF, 0xFE, then step bytes 0..117 of the record exactly as they stand; an upload sends it for a
// normalised copy (uploadSequence() in device/UploadSequence.h) so the board sees end markers after
// the length.
QByteArray uploadMessage(const RunRecord& record);

// 0xFF, speed, 0xFF.
QByteArray speedMessage(std::uint8_t speed);

} // namespace zorvikta
