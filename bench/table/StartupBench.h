// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace zorvikta::bench {

// One start of a program to its first painted main window, measured from outside.
struct StartupRun {
    double milliseconds; // from spawning the process to its first painted main window
    double peakResidentMiB;
};

// Starts `program` in `folder` with HOME there and waits for it to end after its first paint;
// nullopt when it does not start, says nothing or fails.
std::optional<StartupRun> runToFirstPaint(const QString& program, const QString& folder);

} // namespace zorvikta::bench
