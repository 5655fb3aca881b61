// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceNames.h"
#include "device/SystemSerial.h"
#include "device/Win32Serial.h"

namespace zorvikta {

std::optional<PortDevices> defaultPortDevices()
{
    // "COM 1" and "COM 2" mean the ports of those names until the user chooses others.
    return PortDevices{QStringLiteral("COM1"), QStringLiteral("COM2")};
}

namespace platform {

std::unique_ptr<SerialLink> makeSerialLink()
{
    return std::make_unique<Win32SerialLink>();
}

std::unique_ptr<SerialPortSource> makeSerialPortSource()
{
    return std::make_unique<Win32PortSource>();
}

} // namespace platform

} // namespace zorvikta
