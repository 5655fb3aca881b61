// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Everything that differs between operating systems in storage/ lives behind these functions.
namespace zorvikta::platform {

// Reads at most `limit` bytes from the start of the file without ever waiting: a FIFO or a
// terminal gives what it holds at that moment. `bytes` changes only on success.
std::optional<FileError> readFileStart(const QString& path, qsizetype limit, QByteArray& bytes);

// Makes `bytes` the whole content of `path`: a regular file (or a new one) is replaced atomically
// by a flushed temporary file from the same folder, so a failure leaves the old file; a file its
// user may not write is refused before anything is written; where only the folder refuses the
// temporary file, the file is written in place. A symbolic link of the saving user is followed
// and stays a link; another user's link is refused as access denied, wherever it leads. A
// character device or FIFO is written in place; a directory or any other kind of file is refused.
// Temporary files that a killed save of this user left in the folder are removed once stale.
std::optional<FileError> writeFileContents(const QString& path, QByteArrayView bytes);

// True when the system says that nothing is under the path; false when something is, or when
// the system cannot tell (a folder on the way refuses to be searched, a name too long).
bool nothingAt(const QString& path);

// Creates the folder and the folders above it that are missing; the system's reason when that
// fails, nothing when they are all there.
std::optional<FileError> createFolders(const QString& path);

// Folder of the per-user settings file.
QString settingsFolder();

// The file that holds the settings kept at `path`: `path` itself, or, on a system where settings
// once lived elsewhere, that earlier file until `path` exists.
QString settingsFileToRead(const QString& path);

} // namespace zorvikta::platform
