// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"
#include "storage/FileError.h"

#include <QString>

#include <optional>

namespace zorvikta {

// True for an existing file that is not a directory.
bool runFileExists(const QString& path);

// True when nothing is under the path, or only a directory. A file that the system cannot reach
// (behind a folder its user may not enter, or under a name too long) is not missing: reading it
// says why.
bool runFileMissing(const QString& path);

// Opens the file for reading only and reads its first 128 bytes. On any failure, a file shorter
// than 128 bytes included, `image` is left as it was.
std::optional<FileError> readRunFile(const QString& path, RunFileImage& image);

// Writes the 128 bytes so that a failure leaves the previous file intact and no temporary file
// behind; a symbolic link of the saving user stays a link to the rewritten file, and another
// user's link is refused.
std::optional<FileError> writeRunFile(const QString& path, const RunFileImage& image);

} // namespace zorvikta
