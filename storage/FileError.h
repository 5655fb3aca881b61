// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta {

// A failed file operation: what kind of failure, and the runtime's message for it, without the
// full stop the error box adds.
struct FileError {
    enum class Kind { NotFound, BadPath, TooManyFiles, AccessDenied, TooShort, DiskFull, Other };

    Kind kind = Kind::Other;
    QString message;
    // The system's error number; 0 where the system reported none (a file too short).
    int code = 0;
    // For a file too short: the bytes it held.
    qint64 bytesFound = 0;
    // Where the failure is not the system's: what went wrong, in words.
    QString reason;

    // The system's own words for the failure, for the detail text of a box.
    QString systemReason() const;

    friend bool operator==(const FileError&, const FileError&) = default;
};

// The failure an errno value stands for; a directory counts as access denied, as it does where
// the file formats come from.
FileError fileErrorForErrno(int code);

// A failure of the kind that the system did not report: its message, no error number.
FileError fileErrorOfKind(FileError::Kind kind);

// A file that ended after `bytesFound` bytes, before the block the reader needs.
FileError tooShortError(qint64 bytesFound);

} // namespace zorvikta
