// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NullLink.h"
#include "SilentPrompts.h"

#include "device/SerialPortList.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace zorvikta {
class TMainForm;
}

namespace zorvikta::bench {

struct PlayRun {
    double meanErrorPercent; // mean step period against the nominal one
    double p99DeviationMs;   // 99th percentile of |step period - nominal|
    double cpuPercent;       // of one core, while playing
};

// The real main window, shown, on the real event loop; the steps are timed where the emulator's
// timer fires.
class EmulatorBench {
public:
    EmulatorBench();
    ~EmulatorBench();
    EmulatorBench(const EmulatorBench&) = delete;
    EmulatorBench& operator=(const EmulatorBench&) = delete;

    PlayRun play(int speed, int steps);
    // CPU time, in percent of one core, of the window standing still for `milliseconds`.
    double idleCpuPercent(int milliseconds);

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
    SilentPrompts m_prompts;
    NullLink m_link;
    SerialPortList m_ports; // asked only when the port menu or the device chooser opens
    std::unique_ptr<TMainForm> m_form;
};

} // namespace zorvikta::bench
