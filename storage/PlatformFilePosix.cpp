// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX implementation of the platform functions.
#include "storage/PlatformFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <filesystem>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace zorvikta::platform {

namespace {

// Symbolic links chained deeper than this are refused, as the kernel refuses them (ELOOP).
constexpr int kMaxLinkHops = 40;
constexpr int kTempNameAttempts = 100;
constexpr qsizetype kReadChunk = 65536;
// A temporary file of ours this old belongs to no save still under way: its program was killed.
constexpr time_t kStaleTempSeconds = 60;
constexpr char kTempPrefix[] = ".zorvikta-";
constexpr char kTempSuffix[] = ".tmp";

FileError errorFor(int code)
{
    return fileErrorForErrno(code);
}

// Follows symbolic links on the last component until it names something else or nothing, but
// only links of the saving user: a link that another user planted (in a shared sticky folder such
// as /tmp) must not steer the save into a file they could not write themselves. 0, or the errno
// of the refusal.
int resolveOwnSymlinks(QByteArray& path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return 0;
        }
        if (info.st_uid != ::geteuid()) {
            return EACCES;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), buffer, sizeof buffer);
        if (length < 0) {
            return errno;
        }
        QByteArray target(buffer, length);
        if (!target.startsWith('/')) {
            target.prepend(path.left(path.lastIndexOf('/') + 1));
        }
        path = target;
    }
    return ELOOP;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Returns 0 or the errno of the failure; a write that makes no progress means the device is full.
int writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return ENOSPC;
        }
        data += written;
        left -= written;
    }
    return 0;
}

// Creates a new, empty file in `folder` under a name nobody else uses; -1 with errno set on
// failure.
int createTempFile(const QByteArray& folder, QByteArray& tempPath)
{
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath = folder + '/' + kTempPrefix +
                   QByteArray::number(QRandomGenerator::global()->generate64(), 16) + kTempSuffix;
        const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool isOurTempName(const QByteArray& name)
{
    if (!name.startsWith(kTempPrefix) || !name.endsWith(kTempSuffix))
        return false;
    const QByteArray number = name.mid(
        sizeof kTempPrefix - 1, name.size() - (sizeof kTempPrefix - 1) - (sizeof kTempSuffix - 1));
    return !number.isEmpty() && std::all_of(number.cbegin(), number.cend(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// Removes the temporary files a killed save of this user left in `folder`; a younger one may
// belong to a save of another instance that is still writing it, and another user's are theirs.
void removeStaleTempFiles(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!isOurTempName(name))
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat info {};
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && now - info.st_mtime > kStaleTempSeconds)
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

// Durability of the rename itself; the new content is already safe, so a failure here is not
// worth failing the write for.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes into the existing file itself. Devices and FIFOs cannot be replaced, only written;
// O_NONBLOCK keeps a FIFO without a reader from hanging the program. A regular file is not
// truncated first: the new bytes go over the old ones and only then is the file cut to their
// length, so a write cut short leaves the old bytes after the new instead of an empty file.
std::optional<FileError> writeInPlace(const QByteArray& target, QByteArrayView bytes,
                                      bool regularFile)
{
    // A link put in the file's place since it was looked at is not followed.
    const int flags = regularFile ? O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC
                                  : O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    const int fd = ::open(target.constData(), flags);
    if (fd < 0) {
        return errorFor(errno);
    }
    int failure = writeAll(fd, bytes);
    if (failure == 0 && regularFile &&
        (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0)) {
        failure = errno;
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure != 0) {
        return errorFor(failure);
    }
    return std::nullopt;
}

// Writes the whole content to a temporary file, flushes it and renames it over `target`.
// `mode` is the permission set to keep from the file being replaced, if there is one. Where the
// folder refuses a temporary file but the existing file may be written, the file is written in
// place instead, as the only way left to save it. A folder locked on purpose (immutable, or on a
// read-only filesystem) refuses with another error and is respected.
std::optional<FileError> replaceAtomically(const QByteArray& target, QByteArrayView bytes,
                                           std::optional<mode_t> mode)
{
    const QByteArray folder = folderOf(target);
    removeStaleTempFiles(folder);
    QByteArray tempPath;
    const int fd = createTempFile(folder, tempPath);
    if (fd < 0) {
        const int refusal = errno;
        if (mode && refusal == EACCES) {
            return writeInPlace(target, bytes, /*regularFile=*/true);
        }
        return errorFor(refusal);
    }
    int failure = 0;
    if (mode && ::fchmod(fd, *mode) != 0) {
        failure = errno;
    }
    if (failure == 0) {
        failure = writeAll(fd, bytes);
    }
    if (failure == 0 && ::fsync(fd) != 0) {
        failure = errno;
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0 && ::rename(tempPath.constData(), target.constData()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(tempPath.constData());
        return errorFor(failure);
    }
    syncFolder(folder);
    return std::nullopt;
}

} // namespace

std::optional<FileError> readFileStart(const QString& path, qsizetype limit, QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errorFor(errno);
    }
    QByteArray content;
    char chunk[kReadChunk];
    int failure = 0;
    while (content.size() < limit) {
        const qsizetype wanted = std::min<qsizetype>(kReadChunk, limit - content.size());
        const ssize_t got = ::read(fd, chunk, static_cast<size_t>(wanted));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            // Nothing waiting in a FIFO or terminal: what came so far is all there is.
            if (errno != EAGAIN) {
                failure = errno;
            }
            break;
        }
        if (got == 0) {
            break;
        }
        content.append(chunk, got);
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure != 0) {
        return errorFor(failure);
    }
    bytes = content;
    return std::nullopt;
}

std::optional<FileError> writeFileContents(const QString& path, QByteArrayView bytes)
{
    QByteArray target = QFile::encodeName(path);
    if (const int refusal = resolveOwnSymlinks(target)) {
        return errorFor(refusal);
    }
    struct stat info {};
    if (::lstat(target.constData(), &info) != 0) {
        if (errno != ENOENT) {
            return errorFor(errno);
        }
        return replaceAtomically(target, bytes, std::nullopt);
    }
    if (S_ISREG(info.st_mode)) {
        // A rename would replace a file its user may not write; refuse before writing anything.
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
            return errorFor(errno);
        }
        return replaceAtomically(target, bytes, info.st_mode & 07777);
    }
    if (S_ISDIR(info.st_mode)) {
        return errorFor(EISDIR);
    }
    if (S_ISLNK(info.st_mode)) {
        return errorFor(ELOOP);
    }
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) {
        return writeInPlace(target, bytes, /*regularFile=*/false);
    }
    // Block devices and sockets are never what a user means by a file to save into.
    return errorFor(EACCES);
}

bool nothingAt(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) != 0 &&
           (errno == ENOENT || errno == ENOTDIR);
}

std::optional<FileError> createFolders(const QString& path)
{
    std::error_code failure;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), failure);
    if (failure) {
        return errorFor(failure.value());
    }
    return std::nullopt;
}

QString settingsFolder()
{
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is invalid by the XDG rules and is ignored like an empty one.
    if (!configHome.isEmpty() && QDir::isAbsolutePath(configHome)) {
        return configHome;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

QString settingsFileToRead(const QString& path)
{
    return path;
}

} // namespace zorvikta::platform
