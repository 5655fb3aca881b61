// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"

namespace zorvikta::files {

// The failure a code of the system's own stands for (an errno value, or GetLastError on
// Windows), with the same kinds and messages on every system.
FileError fileErrorForCode(unsigned long code);

} // namespace zorvikta::files
