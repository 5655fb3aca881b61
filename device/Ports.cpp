// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Ports.h"

namespace zorvikta {

QString portDeviceName(PortChoice port, const PortDevices& chosen)
{
    return port == PortChoice::Com1 ? chosen.com1 : chosen.com2;
}

} // namespace zorvikta
