// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ReadOnlyLock.h"

#include <utility>

namespace zorvikta::test {

ReadOnlyLock::ReadOnlyLock(QString path) : m_path(std::move(path)) {}

ReadOnlyLock::~ReadOnlyLock() = default;

const char* ReadOnlyLock::whyUnlocked()
{
    return "nothing here can lock it: Windows keeps no immutable flag and mounts nothing over a "
           "folder";
}

} // namespace zorvikta::test
