// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LinkError.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QString>

#include <utility>

// What the serial library leaves to the operating system; a port to another system replaces
// PlatformSerialPosix.cpp (one file per platform) and nothing else.
namespace zorvikta::platform {

// The operating system's handle of an open port (a file descriptor here, a HANDLE on Windows).
using PortHandle = decltype(std::declval<const QSerialPort&>().handle());

// Whether the system would refuse the name as too long for a path: such a name is refused before
// the serial library builds its lock file and device paths from it.
bool deviceNameTooLong(const QString& deviceName);

// The serial library reports a port that another program holds (its lock file, or an exclusive
// open) as a permission error, just like a device the user may not open; the device's access
// rights tell the two apart.
LinkError::Cause permissionRefusalCause(const QString& deviceName);

// Waits until the driver has put every queued byte on the line, or until `deadline`: a dead
// adapter never drains, so this polls instead of blocking in tcdrain. False when bytes remain.
bool waitUntilSent(PortHandle handle, const QDeadlineTimer& deadline);

// Drops what the driver still holds for sending, so that closing a stalled port does not wait
// out the kernel's own closing delay.
void discardUnsentOutput(PortHandle handle);

} // namespace zorvikta::platform
