// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/SettingsFile.h"

#include <QString>

#include <optional>

namespace zorvikta {

// The devices of the two ports until the user chooses others (defined per platform); nullopt
// where a platform names its ports itself, so that there is nothing to choose or keep.
std::optional<PortDevices> defaultPortDevices();

// The device that `port` means.
QString portDeviceName(PortChoice port, const PortDevices& chosen);

} // namespace zorvikta
