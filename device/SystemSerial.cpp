// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SystemSerial.h"

#include "device/SerialPortLink.h"
#include "device/SerialPortList.h"

namespace zorvikta::platform {

std::unique_ptr<SerialLink> makeSerialLink()
{
    return std::make_unique<SerialPortLink>();
}

std::unique_ptr<SerialPortSource> makeSerialPortSource()
{
    return std::make_unique<SerialPortList>();
}

} // namespace zorvikta::platform
