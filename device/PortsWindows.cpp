// SPDX-License-Identifier: GPL-3.0-or-later
// The ports Windows starts with and the names it opens them by.
#include "device/Ports.h"

namespace zorvikta {

PortDevices defaultPortDevices()
{
    // "COM 1" and "COM 2" mean the ports of those names until the user chooses others.
    return {QStringLiteral("COM1"), QStringLiteral("COM2")};
}

QString platform::serialDevicePath(const QString& deviceName)
{
    const QString prefix = QStringLiteral("\\\\.\\");
    return deviceName.startsWith(prefix) ? deviceName : prefix + deviceName;
}

} // namespace zorvikta
