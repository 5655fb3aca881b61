// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialLink.h"
#include "device/SerialPortSource.h"

#include <memory>

// The serial link and the port list of the system the program runs on.
namespace zorvikta::platform {

std::unique_ptr<SerialLink> makeSerialLink();
std::unique_ptr<SerialPortSource> makeSerialPortSource();

} // namespace zorvikta::platform
