// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScratchFolder.h"

#include "FuzzCheck.h"

#include <QFile>
#include <QFileInfo>

namespace zorvikta::fuzz {

namespace {

QString folderTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString parent =
        memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return parent + QStringLiteral("/zorvikta-fuzz-XXXXXX");
}

} // namespace

ScratchFolder::ScratchFolder() : m_folder(folderTemplate())
{
    require(m_folder.isValid(), "a scratch folder can be made");
}

QString ScratchFolder::write(const QString& name, QByteArrayView bytes) const
{
    const QString path = m_folder.filePath(name);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes.data(), bytes.size()) == bytes.size(),
            "the input can be written to a file");
    return path;
}

} // namespace zorvikta::fuzz
