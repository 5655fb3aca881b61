// SPDX-License-Identifier: GPL-3.0-or-later
// The ports a POSIX system starts with and the paths it opens them by.
#include "device/Ports.h"

namespace zorvikta {

PortDevices defaultPortDevices()
{
    // Serial devices have no fixed names here (ttyS0, ttyUSB0, ttyACM0...), so the user names them.
    return {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
}

QString platform::serialDevicePath(const QString& deviceName)
{
    if (deviceName.startsWith(u'/') || deviceName.startsWith(u"./") ||
        deviceName.startsWith(u"../"))
        return deviceName;
    return QStringLiteral("/dev/") + deviceName;
}

} // namespace zorvikta
