// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTemporaryDir>

namespace zorvikta::fuzz {

// A private folder for the files a fuzz input is written to. It lives in memory where the system
// offers a tmpfs, because every save flushes to the disk and would cost milliseconds per input.
class ScratchFolder {
public:
    ScratchFolder();

    // Replaces the file `name` in the folder by `bytes` and returns its path.
    QString write(const QString& name, QByteArrayView bytes) const;

private:
    QTemporaryDir m_folder;
};

} // namespace zorvikta::fuzz
