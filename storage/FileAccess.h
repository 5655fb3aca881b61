// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"
#include "storage/FilePolicy.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Reading and saving whole files, safe against another user who shares a folder: every check is
// made on what was opened, never on a name looked at before.
namespace zorvikta::files {

// Why the name cannot name a file on this system; nothing when it can.
std::optional<FileError> refusalOfFileName(const QString& path);
std::optional<FileError> refusalOfSystemFileName(const QByteArray& path);

// Reads at most `limit` bytes from the start of a regular file, or of the user's own device or
// FIFO, without ever waiting: a FIFO or a terminal gives what it holds at that moment. A link
// that another user planted in a sticky, world-writable folder is not followed. `bytes` changes
// only on success.
std::optional<FileError> readFileStart(const QString& path, qsizetype limit, QByteArray& bytes);

// Makes `bytes` the whole content of `path`. A regular file of the user (or a new one) is
// replaced atomically by a flushed temporary file from the same folder, with the old file's
// permission bits less set-ID and sticky, so a failure leaves the old file; where only the folder
// refuses the temporary file, the user's own file with no other name is written in place, padded
// with `filler` where the new content is shorter. Links of the saving user are followed and stay
// links; another user's link or file is refused. A device or FIFO is written, without waiting,
// only under a name the user chose. Temporary files a killed save of this user left in the folder
// are removed once stale.
std::optional<FileError> writeFileContents(const QString& path, QByteArrayView bytes, SaveName name,
                                           std::optional<char> filler = {});

// True when the system says that nothing is under the path; false when something is, when the
// system cannot tell (a folder on the way refuses to be searched), or when the name is refused.
bool nothingAt(const QString& path);

// Removes what lies under the name unless it is a regular file of the user, or nothing.
void removeUnlessOwnRegularFile(const QString& path);

// Creates the folder and the folders above it that are missing.
std::optional<FileError> createFolders(const QString& path);

} // namespace zorvikta::files
