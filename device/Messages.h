// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"
#include "protocol/WireFormat.h"

#include <QByteArray>

#include <cstdint>

namespace zorvikta {

// 0xFF, 0xFE, then step bytes 0..117 of the record exactly as they stand; an upload sends it for a
// normalised copy (uploadSequence() in device/UploadSequence.h) so the board sees end markers after
// the length.
QByteArray uploadMessage(const RunRecord& record);

// 0xFF, speed, 0xFF.
QByteArray speedMessage(std::uint8_t speed);

} // namespace zorvikta
