// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The two serial ports the window offers and the devices behind them: the settings file keeps
// them, the upload opens them. What differs between systems is in PortsPosix.cpp and
// PortsWindows.cpp.
namespace zorvikta {

enum class PortChoice { Com1, Com2 };

// The serial devices that the two port choices mean.
struct PortDevices {
    QString com1;
    QString com2;
    friend bool operator==(const PortDevices&, const PortDevices&) = default;
};

// The devices of the two ports until the user chooses others.
PortDevices defaultPortDevices();

// The device that `port` means.
QString portDeviceName(PortChoice port, const PortDevices& chosen);

namespace platform {

// The file the link opens for `deviceName`: a bare "ttyUSB0" lives in /dev on Linux; on Windows
// "COM5" becomes "\\.\COM5", the one form that also reaches COM10 and above.
QString serialDevicePath(const QString& deviceName);

} // namespace platform

} // namespace zorvikta
