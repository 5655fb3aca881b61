// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <optional>

class QSocketNotifier;

namespace zorvikta {

// Turns SIGINT, SIGTERM and SIGHUP into a signal of the event loop: the handler only writes the
// signal number into a pipe, and everything else (putting the terminal back, reporting) happens in
// the loop, where it is safe.
class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    // Creates the pipe and installs the handlers; an error text when either fails.
    std::optional<QString> install();

signals:
    void stopRequested(int signalNumber);

private:
    void readPipe();

    int m_readEnd = -1;
    int m_writeEnd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zorvikta
