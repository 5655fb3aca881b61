// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceNames.h"

#include <QtGlobal>

namespace zorvikta {

std::optional<PortDevices> defaultPortDevices()
{
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    // Serial devices have no fixed names here (ttyS0, ttyUSB0, ttyACM0...), so the user names them.
    return PortDevices{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
#endif
}

QString portDeviceName(PortChoice port, const PortDevices& chosen)
{
#ifdef Q_OS_WIN
    Q_UNUSED(chosen);
    return port == PortChoice::Com1 ? QStringLiteral("COM1") : QStringLiteral("COM2");
#else
    return port == PortChoice::Com1 ? chosen.com1 : chosen.com2;
#endif
}

} // namespace zorvikta
