// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Messages.h"

namespace zorvikta {

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
