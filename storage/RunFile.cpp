// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/RunFile.h"

#include "storage/PlatformFile.h"

#include <QByteArray>
#include <QFileInfo>

#include <algorithm>

namespace zorvikta {

bool runFileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool runFileMissing(const QString& path)
{
    return platform::nothingAt(path) || QFileInfo(path).isDir();
}

std::optional<FileError> readRunFile(const QString& path, RunFileImage& image)
{
    QByteArray bytes;
    if (auto failure = platform::readFileStart(path, kFileSize, bytes)) {
        return failure;
    }
    if (bytes.size() < kFileSize) {
        return tooShortError(bytes.size());
    }
    std::copy(bytes.cbegin(), bytes.cend(), image.begin());
    return std::nullopt;
}

std::optional<FileError> writeRunFile(const QString& path, const RunFileImage& image)
{
    return platform::writeFileContents(path, QByteArrayView(image.data(), kFileSize));
}

} // namespace zorvikta
