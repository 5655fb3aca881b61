// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Messages.h"

namespace zorvikta {

// The board checks what it receives against the protocol's limits; the record's must be the same,
// or the board would refuse what the program sends.
static_assert(kLongestPattern == kMaxLength);
static_assert(kSlowestSpeed == kMinSpeed && kFastestSpeed == kMaxSpeed);

QByteArray uploadMessage(const RunRecord& record)
{
    QByteArray message;
    message.reserve(kUploadMessageSize);
    message.append(static_cast<char>(kMessageHeader));
    message.append(static_cast<char>(kUploadMark));
    // Only steps 0..117 fit; the pattern is at most 100 steps, so end markers always follow it.
    message.append(reinterpret_cast<const char*>(record.data()), kUploadStepCount);
    return message;
}

QByteArray speedMessage(std::uint8_t speed)
{
    QByteArray message;
    message.reserve(kSpeedMessageSize);
    message.append(static_cast<char>(kMessageHeader));
    message.append(static_cast<char>(speed));
    message.append(static_cast<char>(kMessageHeader));
    return message;
}

} // namespace zorvikta
