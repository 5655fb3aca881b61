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
UploadSequence uploadSequence(const RunRecord& record, int length, bool withSpeed);

} // namespace zorvikta
