// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PseudoTerminal.h"
#include "support/WatchedTerminal.h"

namespace zorvikta::test {

WatchedTerminal::WatchedTerminal() : m_terminal(std::make_unique<PseudoTerminal>()) {}

WatchedTerminal::~WatchedTerminal() = default;

QString WatchedTerminal::name() const
{
    return m_terminal->isOpen() ? m_terminal->slaveName() : QString();
}

QByteArray WatchedTerminal::received(int waitMs)
{
    return m_terminal->received(0, waitMs);
}

} // namespace zorvikta::test
