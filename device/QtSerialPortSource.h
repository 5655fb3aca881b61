// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialPortSource.h"

namespace zorvikta {

// The devices the serial library finds, each with the by-id link that points at it: that name
// stays the same when an adapter is plugged into another socket.
class QtSerialPortSource final : public SerialPortSource {
public:
    explicit QtSerialPortSource(QString aliasFolder = QStringLiteral("/dev/serial/by-id"));
    QList<SerialPortEntry> availablePorts() const override;

private:
    QString m_aliasFolder;
};

} // namespace zorvikta
