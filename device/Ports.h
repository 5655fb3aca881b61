// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/SettingsFile.h"

#include <QString>

#include <optional>

namespace zorvikta {

// The devices of the two ports until the user chooses others; nullopt where the platform names
// its ports itself (COM1 and COM2 on Windows), so that there is nothing to choose or keep.
std::optional<PortDevices> defaultPortDevices();

// The device that `port` means: the fixed name where the platform has one, else the chosen one.
QString portDeviceName(PortChoice port, const PortDevices& chosen);

} // namespace zorvikta
