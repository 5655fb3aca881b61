// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"

namespace zorvikta {

// The failure a Windows error code (GetLastError) stands for, with the same kinds and messages
// as the errno values of the other systems.
FileError fileErrorForWindows(unsigned long code);

} // namespace zorvikta
