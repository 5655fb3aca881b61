#include "device/Messages.h"

namespace zorvikta {

namespace {

constexpr char kHeader = static_cast<char>(0xFF);
constexpr char kUploadMark = static_cast<char>(0xFE);
constexpr int kUploadHeaderSize = 2;

} // namespace

QByteArray uploadMessage(const RunRecord& record)
{
    QByteArray message;
    message.reserve(kUploadMessageSize);
    message.append(kHeader);
    message.append(kUploadMark);
    // Only steps 0..117 fit; the pattern is at most 100 steps, so end markers always follow it.
    message.append(reinterpret_cast<const char*>(record.data()),
                   kUploadMessageSize - kUploadHeaderSize);
    return message;
}

QByteArray speedMessage(std::uint8_t speed)
{
    QByteArray message;
    message.reserve(kSpeedMessageSize);
    message.append(kHeader);
    message.append(static_cast<char>(speed));
    message.append(kHeader);
    return message;
}

} // namespace zorvikta
