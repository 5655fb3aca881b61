// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace zorvikta::test {

class PseudoTerminal;

// A terminal whose other end the test watches, to see that nothing reached it: a pseudo-terminal
// where the system has them, nothing elsewhere.
class WatchedTerminal {
public:
    WatchedTerminal();
    ~WatchedTerminal();
    WatchedTerminal(const WatchedTerminal&) = delete;
    WatchedTerminal& operator=(const WatchedTerminal&) = delete;

    // Empty where there is no terminal.
    QString name() const;

    // What reached it within `waitMs`.
    QByteArray received(int waitMs);

private:
    std::unique_ptr<PseudoTerminal> m_terminal;
};

} // namespace zorvikta::test
