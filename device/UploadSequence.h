// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"

#include <QByteArray>

#include <optional>

namespace zorvikta {

// What one upload of a pattern sends, in order, and the record as it stands once sent.
struct UploadSequence {
    // The pattern with its low nibbles cleared and end markers from the length on.
    RunRecord normalised;
    QByteArray upload;
    // The speed message with the record's speed byte, only when it was asked for.
    std::optional<QByteArray> speed;
};

// The record itself is left alone, so a caller whose transfer fails keeps the pattern untouched.
// Only zvk asks for the speed with the pattern (`withSpeed`); the window sends its speed apart,
// the way the speed bar does.
UploadSequence uploadSequence(const RunRecord& record, int length, bool withSpeed = false);

} // namespace zorvikta
