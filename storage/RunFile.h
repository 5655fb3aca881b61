// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"
#include "storage/FileError.h"
#include "storage/FilePolicy.h"

#include <QString>

#include <optional>

namespace zorvikta {

// True for an existing file that is not a directory.
bool runFileExists(const QString& path);

// True when nothing is under the path, or only a directory. A file that the system cannot reach
// (behind a folder its user may not enter, or under a name too long) is not missing: reading it
// says why.
bool runFileMissing(const QString& path);

// Reads the first 128 bytes of a regular file, or of the user's own device or FIFO. On any
// failure, a file shorter than 128 bytes included, `image` is left as it was.
std::optional<FileError> readRunFile(const QString& path, RunFileImage& image);

// Writes the 128 bytes so that a failure leaves the previous file intact and no temporary file
// behind; a symbolic link of the saving user stays a link to the rewritten file, and another
// user's link or file is refused. A device or FIFO is written only under a name the user chose.
std::optional<FileError> writeRunFile(const QString& path, const RunFileImage& image,
                                      files::SaveName name = files::SaveName::Chosen);

} // namespace zorvikta
