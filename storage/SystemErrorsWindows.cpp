// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SystemErrors.h"

#include <cerrno>

#include <windows.h>

namespace zorvikta::files {

namespace {

// The errno value whose kind and message the user already knows for the same failure. Errors
// without a counterpart count as input/output errors.
int errnoFor(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

FileError fileErrorForCode(unsigned long code)
{
    return fileErrorForErrno(errnoFor(code));
}

} // namespace zorvikta::files
