#pragma once

#include "model/RunRecord.h"

#include <QByteArray>

#include <cstdint>

namespace zorvikta {

inline constexpr int kUploadMessageSize = 120;
inline constexpr int kSpeedMessageSize = 3;

// 0xFF, 0xFE, then step bytes 0..117 of the record exactly as they stand; the caller normalises
// a copy first (normalise() in model/RunRecord.h) so the board sees end markers after the length.
QByteArray uploadMessage(const RunRecord& record);

// 0xFF, speed, 0xFF.
QByteArray speedMessage(std::uint8_t speed);

} // namespace zorvikta
