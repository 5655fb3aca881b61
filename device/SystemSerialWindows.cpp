// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SystemSerial.h"
#include "device/Win32Serial.h"

namespace zorvikta::platform {

std::unique_ptr<SerialLink> makeSerialLink()
{
    return std::make_unique<Win32SerialLink>();
}

std::unique_ptr<SerialPortSource> makeSerialPortSource()
{
    return std::make_unique<Win32PortSource>();
}

} // namespace zorvikta::platform
