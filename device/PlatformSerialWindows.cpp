// SPDX-License-Identifier: GPL-3.0-or-later
// The ports Windows starts with; the link itself is Win32SerialLink.cpp.
#include "device/Ports.h"

namespace zorvikta {

std::optional<PortDevices> defaultPortDevices()
{
    // "COM 1" and "COM 2" mean the ports of those names until the user chooses others.
    return PortDevices{QStringLiteral("COM1"), QStringLiteral("COM2")};
}

} // namespace zorvikta
