// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace zorvikta {

// One serial device present on the machine, as the system describes it.
struct SerialPortEntry {
    QString path;        // where the system puts it, such as /dev/ttyUSB0
    QString stableAlias; // its link under /dev/serial/by-id/, where it has one
    QString description; // what the device says it is, such as "FT232R USB UART"
    QString manufacturer;
    QString serialNumber;
    friend bool operator==(const SerialPortEntry&, const SerialPortEntry&) = default;
};

// The serial devices present now: the system's in the program, a scripted list in tests.
class SerialPortSource {
public:
    virtual ~SerialPortSource() = default;
    virtual QList<SerialPortEntry> availablePorts() const = 0;
};

} // namespace zorvikta
