// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LinkError.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <memory>
#include <optional>

// The system calls of one transfer over a serial port, one file per system; the order of the
// steps and what a failure costs are decided in SerialPortLink.cpp.
namespace zorvikta::serial::system {

// What went wrong, as the user is told it: the cause and the system's own words.
struct Failure {
    LinkError::Cause cause;
    QString said;
};

// What a code of the system's own (errno, or GetLastError on Windows) from opening or using a
// port means to the user.
LinkError::Cause causeOfCode(unsigned long code);

// One open port, closed when it goes.
class Port {
public:
    Port();
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;
    ~Port();

    std::optional<Failure> open(const QString& deviceName);
    // The board's line settings, and a write limit of `writeLimitMs` where the system takes one.
    std::optional<Failure> configure(qint64 writeLimitMs);
    // Hands every byte to the driver.
    std::optional<Failure> write(const QByteArray& bytes, const QDeadlineTimer& deadline);
    // Waits until the driver has put every byte on the line; false when bytes remain at the
    // deadline. A driver that cannot tell is taken as drained: there is nothing left to wait for.
    bool waitUntilSent(const QDeadlineTimer& deadline);
    // Drops what the driver still holds for sending, so that closing a stalled port does not
    // wait out the driver's own closing delay.
    void discardUnsent();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace zorvikta::serial::system
