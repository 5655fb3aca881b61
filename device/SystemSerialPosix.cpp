// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceNames.h"
#include "device/QtSerialLink.h"
#include "device/QtSerialPortSource.h"
#include "device/SystemSerial.h"

namespace zorvikta {

std::optional<PortDevices> defaultPortDevices()
{
    // Serial devices have no fixed names here (ttyS0, ttyUSB0, ttyACM0...), so the user names them.
    return PortDevices{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
}

namespace platform {

std::unique_ptr<SerialLink> makeSerialLink()
{
    return std::make_unique<QtSerialLink>();
}

std::unique_ptr<SerialPortSource> makeSerialPortSource()
{
    return std::make_unique<QtSerialPortSource>();
}

} // namespace platform

} // namespace zorvikta
