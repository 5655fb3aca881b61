// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/QtSerialLink.h"
#include "device/QtSerialPortSource.h"
#include "device/SystemSerial.h"

namespace zorvikta::platform {

std::unique_ptr<SerialLink> makeSerialLink()
{
    return std::make_unique<QtSerialLink>();
}

std::unique_ptr<SerialPortSource> makeSerialPortSource()
{
    return std::make_unique<QtSerialPortSource>();
}

} // namespace zorvikta::platform
