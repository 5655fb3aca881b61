// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialPortSource.h"

// What each system says about its serial devices, one file per system; the stable names are
// added in SerialPortList.cpp.
namespace zorvikta::serial::system {

// The devices present, with what they say they are; no stable alias yet.
QList<SerialPortEntry> presentPorts();

// The folder of links that name devices the same in every socket; empty where the system names
// a port the same wherever its adapter is plugged in.
QString aliasFolder();

} // namespace zorvikta::serial::system
