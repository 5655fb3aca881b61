// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SystemErrors.h"

namespace zorvikta::files {

// The system's codes are errno values here, which FileError is made from.
FileError fileErrorForCode(unsigned long code)
{
    return fileErrorForErrno(static_cast<int>(code));
}

} // namespace zorvikta::files
