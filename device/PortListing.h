// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialPortSource.h"

#include <QStringList>

namespace zorvikta {

// What the device chooser and `zvk ports` show of the devices present, so that both agree: one
// row per device, in path order, each starting with the path to choose (the stable alias where
// there is one), then the description, the manufacturer and the serial number.
QList<QStringList> portListing(const QList<SerialPortEntry>& entries);

// One row of the listing as one line of text, its fields separated by tabs. A tab, line feed,
// carriage return or backslash inside a field (a link may be named anything) is written as \t,
// \n, \r or \\, so that the line stays one line of four fields.
QString portListingLine(const QStringList& row);

// The device present under `device` (its path or its alias), or nullptr.
const SerialPortEntry* findPort(const QList<SerialPortEntry>& entries, const QString& device);

// The device with what it says it is, "/dev/ttyUSB0: FT232R USB UART", where it is present and
// says something.
QString portHint(const QList<SerialPortEntry>& entries, const QString& device);

} // namespace zorvikta
