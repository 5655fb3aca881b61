// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialPortSource.h"

namespace zorvikta::test {

// The serial devices "present", as the test plugs them in and pulls them out.
class ScriptedPorts final : public SerialPortSource {
public:
    QList<SerialPortEntry> present;

    QList<SerialPortEntry> availablePorts() const override { return present; }
};

} // namespace zorvikta::test
