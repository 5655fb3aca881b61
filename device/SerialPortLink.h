// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialLink.h"

namespace zorvikta {

// The link over the system's serial port: opened for this program alone, 1200 baud, 8 data bits,
// no parity, one stop bit, no handshake, DTR and RTS inactive; a stalled adapter ends the write
// after the message's wire time and a margin, and the port is closed only once the bytes have
// been sent. The system calls are in SerialPortLinkPosix.cpp and SerialPortLinkWindows.cpp.
class SerialPortLink final : public SerialLink {
public:
    std::optional<LinkError> send(const QString& deviceName, const QByteArray& bytes) override;
};

} // namespace zorvikta
