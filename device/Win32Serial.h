// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialLink.h"
#include "device/SerialPortSource.h"

namespace zorvikta {

// What a Windows error code (GetLastError) from opening or using a port means to the user.
LinkError::Cause linkCauseForWindows(unsigned long code);

// The link over the Win32 communications calls: read and write access (Windows refuses to
// configure a port opened for writing alone), 1200 baud, 8 data bits, no parity, one stop bit,
// no handshake, a write timeout from the message's wire time; flushed before it is closed.
class Win32SerialLink final : public SerialLink {
public:
    std::optional<LinkError> send(const QString& deviceName, const QByteArray& bytes) override;
};

// The COM ports present, with the names Device Manager shows ("USB-SERIAL CH340 (COM5)"): from
// the COM-port device class, completed by the ports the registry's serial map lists.
class Win32PortSource final : public SerialPortSource {
public:
    QList<SerialPortEntry> availablePorts() const override;
};

} // namespace zorvikta
