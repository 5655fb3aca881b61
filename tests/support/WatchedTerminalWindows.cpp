// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WatchedTerminal.h"

namespace zorvikta::test {

// No PseudoTerminal is made here: the pointer stays empty.
class PseudoTerminal {};

WatchedTerminal::WatchedTerminal() = default;

WatchedTerminal::~WatchedTerminal() = default;

QString WatchedTerminal::name() const
{
    return {};
}

QByteArray WatchedTerminal::received(int)
{
    return {};
}

} // namespace zorvikta::test
