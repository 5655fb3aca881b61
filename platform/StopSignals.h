// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>
#include <optional>

namespace zorvikta {

// Turns the system's requests to stop (SIGINT, SIGTERM and SIGHUP; Ctrl+C and Ctrl+Break in a
// Windows console) into a signal of the event loop: the system's handler only hands the request
// on, and everything else (putting the terminal back, reporting) happens in the loop, where it is
// safe. Each system's state and calls are in StopSignalsPosix.cpp and StopSignalsWindows.cpp.
class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    // Installs the handlers; an error text when that fails.
    std::optional<QString> install();

signals:
    // The request as the signal number the same keys raise on POSIX systems.
    void stopRequested(int signalNumber);

private:
    class Private;
    std::unique_ptr<Private> m_private;
};

} // namespace zorvikta
