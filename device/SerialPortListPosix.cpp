// SPDX-License-Identifier: GPL-3.0-or-later
// The devices Qt SerialPort finds, and udev's folder of stable names.
#include "device/SerialPortListSystem.h"

#include <QSerialPortInfo>

namespace zorvikta::serial::system {

QList<SerialPortEntry> presentPorts()
{
    QList<SerialPortEntry> entries;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        entries.append({port.systemLocation(),
                        {},
                        port.description(),
                        port.manufacturer(),
                        port.serialNumber()});
    return entries;
}

QString aliasFolder()
{
    return QStringLiteral("/dev/serial/by-id");
}

} // namespace zorvikta::serial::system
