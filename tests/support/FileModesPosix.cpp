// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FileModes.h"

#include <QFile>

#include <sys/stat.h>

namespace zorvikta::test {

namespace {

std::optional<mode_t> statMode(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return info.st_mode;
}

} // namespace

std::optional<int> fileMode(const QString& path)
{
    const std::optional<mode_t> mode = statMode(path);
    return mode ? std::optional<int>(static_cast<int>(*mode & 07777)) : std::nullopt;
}

bool setFileMode(const QString& path, int mode)
{
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

int setCreationMask(int mask)
{
    return static_cast<int>(::umask(static_cast<mode_t>(mask)));
}

bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool isFifo(const QString& path)
{
    const std::optional<mode_t> mode = statMode(path);
    return mode && S_ISFIFO(*mode);
}

} // namespace zorvikta::test
