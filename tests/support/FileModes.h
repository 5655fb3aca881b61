// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What POSIX keeps in a file's mode: its permission bits and whether it is a FIFO. Windows keeps
// neither, and these say so.
namespace zorvikta::test {

// The permission bits, set-ID and sticky bits among them; none where the system keeps no modes.
std::optional<int> fileMode(const QString& path);

// False where the system keeps no modes.
bool setFileMode(const QString& path, int mode);

// The bits new files go without from now on; gives the mask that held before.
int setCreationMask(int mask);

// A FIFO under `path`; false where the system has none.
bool makeFifo(const QString& path);

bool isFifo(const QString& path);

} // namespace zorvikta::test
