// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/RunFile.h"

#include "storage/FileAccess.h"

#include <QByteArray>
#include <QFileInfo>

#include <algorithm>

namespace zorvikta {

bool runFileExists(const QString& path)
{
    if (files::refusalOfFileName(path))
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool runFileMissing(const QString& path)
{
    return files::nothingAt(path) || (!files::refusalOfFileName(path) && QFileInfo(path).isDir());
}

std::optional<FileError> readRunFile(const QString& path, RunFileImage& image)
{
    QByteArray bytes;
    if (auto failure = files::readFileStart(path, kFileSize, bytes))
        return failure;
    if (bytes.size() < kFileSize)
        return tooShortError(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), image.begin());
    return std::nullopt;
}

std::optional<FileError> writeRunFile(const QString& path, const RunFileImage& image,
                                      files::SaveName name)
{
    return files::writeFileContents(path, QByteArrayView(image.data(), kFileSize), name);
}

} // namespace zorvikta
