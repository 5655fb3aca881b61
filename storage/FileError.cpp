// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileError.h"

#include <cerrno>
#include <cstring>

namespace zorvikta {

namespace {

FileError::Kind kindForErrno(int code)
{
    switch (code) {
    case ENOENT:
        return FileError::Kind::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return FileError::Kind::BadPath;
    case EMFILE:
    case ENFILE:
        return FileError::Kind::TooManyFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileError::Kind::AccessDenied;
    case ENOSPC:
        return FileError::Kind::DiskFull;
    default:
        return FileError::Kind::Other;
    }
}

QString messageForKind(FileError::Kind kind, int code)
{
    switch (kind) {
    case FileError::Kind::NotFound:
        return QStringLiteral("File not found");
    case FileError::Kind::BadPath:
        return QStringLiteral("Invalid filename");
    case FileError::Kind::TooManyFiles:
        return QStringLiteral("Too many open files");
    case FileError::Kind::AccessDenied:
        return QStringLiteral("File access denied");
    case FileError::Kind::TooShort:
        return QStringLiteral("Read beyond end of file");
    case FileError::Kind::DiskFull:
        return QStringLiteral("Disk full");
    case FileError::Kind::Other:
        break;
    }
    return QStringLiteral("I/O error %1").arg(code);
}

} // namespace

QString FileError::systemReason() const
{
    if (kind == Kind::TooShort)
        return QStringLiteral("the file holds only %1 bytes").arg(bytesFound);
    if (!reason.isEmpty())
        return reason;
    return QString::fromLocal8Bit(std::strerror(code));
}

FileError fileErrorForErrno(int code)
{
    const FileError::Kind kind = kindForErrno(code);
    return FileError{kind, messageForKind(kind, code), code, 0, {}};
}

FileError fileErrorOfKind(FileError::Kind kind)
{
    return FileError{kind, messageForKind(kind, 0), 0, 0, {}};
}

FileError tooShortError(qint64 bytesFound)
{
    return FileError{
        FileError::Kind::TooShort, messageForKind(FileError::Kind::TooShort, 0), 0, bytesFound, {}};
}

} // namespace zorvikta
