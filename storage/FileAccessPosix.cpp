// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX system calls of reading and saving files: everything relative to open folders, no
// link followed by the kernel, no open that waits.
#include "storage/FileAccessSystem.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <ctime>
#include <filesystem>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvikta::files::system {

namespace {

// Links chained deeper than this are refused, as the kernel refuses them (ELOOP).
constexpr int kMaxLinkHops = 40;

FileError errorFor(int code)
{
    return fileErrorForErrno(code);
}

std::optional<FileError> lastError()
{
    return errorFor(errno);
}

int fd(const Handle& handle)
{
    return static_cast<int>(handle.value());
}

FileType typeOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileType::Regular;
    if (S_ISDIR(mode))
        return FileType::Directory;
    if (S_ISCHR(mode))
        return FileType::CharacterDevice;
    if (S_ISFIFO(mode))
        return FileType::Fifo;
    if (S_ISLNK(mode))
        return FileType::Link;
    return FileType::Other;
}

FileFacts factsFrom(const struct stat& info)
{
    const bool owned = info.st_uid == ::geteuid();
    return {.type = typeOf(info.st_mode),
            .ownedByUser = owned,
            .userMayWrite = owned && (::geteuid() == 0 || (info.st_mode & S_IWUSR) != 0),
            .linkCount = static_cast<std::uint64_t>(info.st_nlink),
            .permissions = static_cast<std::uint32_t>(info.st_mode & 07777),
            .volume = static_cast<std::uint64_t>(info.st_dev),
            .index = static_cast<std::uint64_t>(info.st_ino),
            .size = static_cast<std::int64_t>(info.st_size),
            .modifiedAt = static_cast<std::int64_t>(info.st_mtime)};
}

bool openFolder(int base, const char* name, Handle& folder)
{
    const int opened = ::openat(base, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (opened < 0)
        return false;
    folder.reset(opened);
    return true;
}

QList<QByteArray> componentsOf(const QByteArray& path)
{
    QList<QByteArray> components;
    for (const QByteArray& part : path.split('/')) {
        if (!part.isEmpty())
            components << part;
    }
    // A name that ends in a slash names a folder.
    if (path.endsWith('/'))
        components << QByteArrayLiteral(".");
    return components;
}

std::optional<FileError> readLink(const Handle& folder, const QByteArray& name, QByteArray& target)
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlinkat(fd(folder), name.constData(), buffer, sizeof buffer);
    if (length < 0)
        return lastError();
    target = QByteArray(buffer, length);
    return std::nullopt;
}

LinkFacts linkFacts(const struct stat& link, const Handle& folder)
{
    struct stat folderInfo {};
    ::fstat(fd(folder), &folderInfo);
    return {.ownedByUser = link.st_uid == ::geteuid(),
            .ownedByFolderOwner = link.st_uid == folderInfo.st_uid,
            .folderIsStickyAndWorldWritable =
                (folderInfo.st_mode & S_ISVTX) != 0 && (folderInfo.st_mode & S_IWOTH) != 0};
}

// The file itself, never a link, without waiting for a FIFO's other end or a modem's carrier.
std::optional<FileError> openExisting(const Place& place, int access, Handle& handle)
{
    const int opened = ::openat(fd(place.folder), place.leaf.constData(),
                                access | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0)
        return lastError();
    handle.reset(opened);
    return std::nullopt;
}

} // namespace

Handle::~Handle()
{
    close();
}

bool Handle::isOpen() const
{
    return m_value >= 0;
}

void Handle::reset(std::intptr_t value)
{
    close();
    m_value = value;
}

std::intptr_t Handle::release()
{
    return std::exchange(m_value, -1);
}

std::optional<FileError> Handle::close()
{
    const int open = static_cast<int>(std::exchange(m_value, -1));
    if (open >= 0 && ::close(open) != 0)
        return lastError();
    return std::nullopt;
}

NameRules nameRules()
{
    return {.longest = PATH_MAX - 1, .measuredInBytes = true, .windowsNames = false};
}

std::int64_t now()
{
    return static_cast<std::int64_t>(::time(nullptr));
}

std::optional<FileError> locate(const QString& path, LinkUse use, Place& place)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return errorFor(ENOENT);
    if (!openFolder(AT_FDCWD, name.startsWith('/') ? "/" : ".", place.folder))
        return lastError();
    QList<QByteArray> components = componentsOf(name);
    if (components.isEmpty())
        components << QByteArrayLiteral(".");
    int hops = 0;
    while (!components.isEmpty()) {
        const QByteArray component = components.takeFirst();
        const bool last = components.isEmpty();
        struct stat info {};
        if (::fstatat(fd(place.folder), component.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT && last) {
                place.leaf = component;
                return std::nullopt;
            }
            return lastError();
        }
        if (S_ISLNK(info.st_mode)) {
            if (++hops > kMaxLinkHops)
                return errorFor(ELOOP);
            if (auto refusal = refusalToFollowLink(linkFacts(info, place.folder), last, use))
                return refusal;
            QByteArray target;
            if (auto failure = readLink(place.folder, component, target))
                return failure;
            if (target.startsWith('/') && !openFolder(AT_FDCWD, "/", place.folder))
                return lastError();
            components = componentsOf(target) + components;
            continue;
        }
        if (last) {
            place.leaf = component;
            return std::nullopt;
        }
        Handle next;
        if (!openFolder(fd(place.folder), component.constData(), next))
            return lastError();
        place.folder.reset(next.release());
    }
    return std::nullopt;
}

std::optional<FileError> factsAt(const Place& place, std::optional<FileFacts>& facts)
{
    struct stat info {};
    if (::fstatat(fd(place.folder), place.leaf.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return lastError();
        facts.reset();
        return std::nullopt;
    }
    facts = factsFrom(info);
    return std::nullopt;
}

std::optional<FileError> factsOf(const Handle& handle, FileFacts& facts)
{
    struct stat info {};
    if (::fstat(fd(handle), &info) != 0)
        return lastError();
    facts = factsFrom(info);
    return std::nullopt;
}

std::optional<FileError> openToRead(const Place& place, Handle& handle)
{
    return openExisting(place, O_RDONLY, handle);
}

std::optional<FileError> openToWrite(const Place& place, Handle& handle)
{
    return openExisting(place, O_WRONLY, handle);
}

std::optional<FileError> createNew(const Place& place, const QString& name, Handle& handle,
                                   bool& nameTaken)
{
    const int opened = ::openat(fd(place.folder), QFile::encodeName(name).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    nameTaken = opened < 0 && errno == EEXIST;
    if (opened < 0)
        return lastError();
    handle.reset(opened);
    return std::nullopt;
}

bool refusedByPermissions(const FileError& error)
{
    return error.code == EACCES;
}

std::optional<FileError> readSome(const Handle& handle, char* buffer, qsizetype size,
                                  qsizetype& got)
{
    for (;;) {
        const ssize_t read = ::read(fd(handle), buffer, static_cast<size_t>(size));
        if (read >= 0) {
            got = read;
            return std::nullopt;
        }
        if (errno == EAGAIN) {
            got = 0;
            return std::nullopt;
        }
        if (errno != EINTR)
            return lastError();
    }
}

std::optional<FileError> writeAll(const Handle& handle, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd(handle), data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return lastError();
        // No progress on a file means a full device.
        if (written == 0)
            return errorFor(ENOSPC);
        data += written;
        left -= written;
    }
    return std::nullopt;
}

std::optional<FileError> setPermissions(const Handle& handle, std::uint32_t permissions)
{
    if (::fchmod(fd(handle), static_cast<mode_t>(permissions)) != 0)
        return lastError();
    return std::nullopt;
}

std::optional<FileError> trim(const Handle& handle, qsizetype size)
{
    if (::ftruncate(fd(handle), static_cast<off_t>(size)) != 0)
        return lastError();
    return std::nullopt;
}

std::optional<FileError> flush(const Handle& handle)
{
    if (::fsync(fd(handle)) != 0)
        return lastError();
    return std::nullopt;
}

std::optional<FileError> moveOver(const Place& place, const QString& from)
{
    if (::renameat(fd(place.folder), QFile::encodeName(from).constData(), fd(place.folder),
                   place.leaf.constData()) != 0)
        return lastError();
    return std::nullopt;
}

void remove(const Place& place, const QString& name)
{
    ::unlinkat(fd(place.folder), QFile::encodeName(name).constData(), 0);
}

void removePlace(const Place& place)
{
    if (::unlinkat(fd(place.folder), place.leaf.constData(), 0) != 0 && errno == EISDIR)
        ::unlinkat(fd(place.folder), place.leaf.constData(), AT_REMOVEDIR);
}

// Durability of the rename itself; the new content is already safe, so a failure here is not
// worth failing the save for.
void flushFolder(const Place& place)
{
    const int folder = ::openat(fd(place.folder), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

QList<FolderEntry> folderEntries(const Place& place, bool (*wanted)(const QString& name))
{
    QList<FolderEntry> entries;
    const int listing = ::openat(fd(place.folder), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return entries;
    DIR* folder = ::fdopendir(listing);
    if (folder == nullptr) {
        ::close(listing);
        return entries;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const QString name = QFile::decodeName(entry->d_name);
        struct stat info {};
        if (wanted(name) && ::fstatat(listing, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
            entries.append({name, factsFrom(info)});
    }
    ::closedir(folder);
    return entries;
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
    if (failure)
        return errorFor(failure.value());
    return std::nullopt;
}

} // namespace zorvikta::files::system
