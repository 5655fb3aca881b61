// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FileModes.h"

namespace zorvikta::test {

// Windows keeps a read-only attribute instead of modes, and QFile::setPermissions sets it.
std::optional<int> fileMode(const QString&)
{
    return std::nullopt;
}

bool setFileMode(const QString&, int)
{
    return false;
}

int setCreationMask(int)
{
    return 0;
}

// Its named pipes live in a namespace of their own, never among a folder's files.
bool makeFifo(const QString&)
{
    return false;
}

bool isFifo(const QString&)
{
    return false;
}

} // namespace zorvikta::test
