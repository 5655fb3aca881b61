// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/Messages.h"

#include <optional>

namespace zorvikta::bench {

// Transfers of one upload end to end (open, configure, write, drain, close) to a pseudo-terminal,
// which takes the bytes at once: the time is the program's own cost per transfer, to be set
// beside the second that 120 bytes need on a real 1200-baud line.
struct UploadFigures {
    int transfers;
    double medianMs;
    double p90Ms;
    int failed;
    int garbled;
};

inline constexpr double kUploadWireMs = kUploadMessageSize * 10 * 1000.0 / 1200.0;

// nullopt when no pseudo-terminal can be had.
std::optional<UploadFigures> measureUpload(int transfers);

} // namespace zorvikta::bench
