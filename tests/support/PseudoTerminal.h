// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <termios.h>

namespace zorvikta::test {

// A pseudo-terminal pair standing in for the board: the link writes to the slave by its name and
// the test reads the master. Both ends stay open until destruction unless closed on purpose, so
// the slave keeps its state between opens by the link.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isOpen() const { return m_master >= 0 && m_slave >= 0; }
    QString slaveName() const { return m_slaveName; }
    int slave() const { return m_slave; }

    termios slaveSettings() const;
    bool setSlaveSettings(const termios& settings);

    // Bytes the master receives: waits up to `timeoutMs` for `expected` of them (for any byte at
    // all when `expected` is 0), then takes whatever follows at once, so surplus bytes show too.
    QByteArray received(int expected, int timeoutMs);

    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
};

} // namespace zorvikta::test
