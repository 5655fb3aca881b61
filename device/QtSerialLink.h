// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialLink.h"

namespace zorvikta {

// The link over Qt SerialPort: exclusive open, 1200 baud, 8 data bits, no parity, one stop bit,
// no flow control, DTR and RTS inactive; the port is closed only once the bytes have been sent.
class QtSerialLink final : public SerialLink {
public:
    std::optional<LinkError> send(const QString& deviceName, const QByteArray& bytes) override;
};

} // namespace zorvikta
