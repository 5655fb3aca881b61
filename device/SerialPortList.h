// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialPortSource.h"

namespace zorvikta {

// The serial devices the system finds, each with its link in the system's folder of stable names
// where it has one (/dev/serial/by-id/): that name stays the same when an adapter is plugged into
// another socket. The system calls are in SerialPortListPosix.cpp and SerialPortListWindows.cpp.
class SerialPortList final : public SerialPortSource {
public:
    SerialPortList();
    // Takes the stable names from `aliasFolder` instead.
    explicit SerialPortList(QString aliasFolder);
    QList<SerialPortEntry> availablePorts() const override;

private:
    QString m_aliasFolder;
};

} // namespace zorvikta
