// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows system calls of reading and saving files. Windows works by whole paths; a link or
// junction under the name of a save is opened itself, never followed.
#include "storage/FileAccessSystem.h"

#include "storage/SystemErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <ctime>
#include <utility>

#include <windows.h>

namespace zorvikta::files::system {

namespace {

// FILETIME counts 100 ns from 1601; file facts count seconds from 1970.
constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
// Windows's own limit for a path given with the long-path prefix.
constexpr qsizetype kLongestPath = 32767;

std::optional<FileError> lastError()
{
    return fileErrorForCode(::GetLastError());
}

HANDLE handleOf(const Handle& handle)
{
    return reinterpret_cast<HANDLE>(handle.value());
}

std::intptr_t valueOf(HANDLE handle)
{
    return reinterpret_cast<std::intptr_t>(handle);
}

std::wstring native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

QString besideThePlace(const Place& place, const QString& name)
{
    return QFileInfo(place.path).absoluteDir().filePath(name);
}

std::int64_t secondsSince1970(const FILETIME& time)
{
    const auto ticks = (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return ticks / kFileTimeTicksPerSecond - kSecondsFrom1601To1970;
}

FileType diskFileType(DWORD attributes)
{
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return FileType::Link;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileType::Directory;
    return FileType::Regular;
}

FileType typeOf(HANDLE file, DWORD attributes)
{
    switch (::GetFileType(file)) {
    case FILE_TYPE_DISK:
        return diskFileType(attributes);
    case FILE_TYPE_CHAR:
        return FileType::CharacterDevice;
    case FILE_TYPE_PIPE:
        return FileType::Fifo;
    default:
        return FileType::Other;
    }
}

std::optional<FileError> openHandle(const QString& path, DWORD access, DWORD share, DWORD creation,
                                    DWORD flags, Handle& handle)
{
    const HANDLE opened =
        ::CreateFileW(native(path).c_str(), access, share, nullptr, creation, flags, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return lastError();
    handle.reset(valueOf(opened));
    return std::nullopt;
}

} // namespace

Handle::~Handle()
{
    close();
}

bool Handle::isOpen() const
{
    return m_value != valueOf(INVALID_HANDLE_VALUE);
}

void Handle::reset(std::intptr_t value)
{
    close();
    m_value = value;
}

std::intptr_t Handle::release()
{
    return std::exchange(m_value, valueOf(INVALID_HANDLE_VALUE));
}

std::optional<FileError> Handle::close()
{
    const HANDLE open = reinterpret_cast<HANDLE>(release());
    if (open != INVALID_HANDLE_VALUE && !::CloseHandle(open))
        return lastError();
    return std::nullopt;
}

NameRules nameRules()
{
    return {.longest = kLongestPath, .measuredInBytes = false, .windowsNames = true};
}

std::int64_t now()
{
    return static_cast<std::int64_t>(::time(nullptr));
}

std::optional<FileError> locate(const QString& path, LinkUse, Place& place)
{
    place.path = path;
    return std::nullopt;
}

std::optional<FileError> factsAt(const Place& place, std::optional<FileFacts>& facts)
{
    Handle file;
    auto failure = openHandle(place.path, FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, file);
    if (failure && ::GetLastError() == ERROR_FILE_NOT_FOUND) {
        facts.reset();
        return std::nullopt;
    }
    if (failure)
        return failure;
    FileFacts found;
    if (auto unknown = factsOf(file, found))
        return unknown;
    facts = found;
    return std::nullopt;
}

std::optional<FileError> factsOf(const Handle& handle, FileFacts& facts)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handleOf(handle), &info)) {
        // Devices and pipes have no such information; their kind is all there is to know.
        facts = {.type = typeOf(handleOf(handle), 0), .ownedByUser = false};
        return facts.type == FileType::Regular ? lastError() : std::nullopt;
    }
    facts = {.type = typeOf(handleOf(handle), info.dwFileAttributes),
             // Windows guards a user's files by their folders' access lists, not by owners.
             .ownedByUser = true,
             .userMayWrite = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0,
             .linkCount = info.nNumberOfLinks,
             .permissions = 0,
             .volume = info.dwVolumeSerialNumber,
             .index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
             .size = (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
             .modifiedAt = secondsSince1970(info.ftLastWriteTime)};
    return std::nullopt;
}

std::optional<FileError> openToRead(const Place& place, Handle& handle)
{
    return openHandle(place.path, GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, handle);
}

std::optional<FileError> openToWrite(const Place& place, Handle& handle)
{
    return openHandle(place.path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, OPEN_EXISTING,
                      FILE_FLAG_OPEN_REPARSE_POINT, handle);
}

std::optional<FileError> createNew(const Place& place, const QString& name, Handle& handle,
                                   bool& nameTaken)
{
    auto failure = openHandle(besideThePlace(place, name), GENERIC_WRITE, 0, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, handle);
    nameTaken = failure && ::GetLastError() == ERROR_FILE_EXISTS;
    return failure;
}

bool refusedByPermissions(const FileError& error)
{
    return error.kind == FileError::Kind::AccessDenied;
}

std::optional<FileError> readSome(const Handle& handle, char* buffer, qsizetype size,
                                  qsizetype& got)
{
    DWORD read = 0;
    if (!::ReadFile(handleOf(handle), buffer, static_cast<DWORD>(size), &read, nullptr))
        return lastError();
    got = read;
    return std::nullopt;
}

std::optional<FileError> writeAll(const Handle& handle, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<qsizetype>(left, MAXDWORD));
        if (!::WriteFile(handleOf(handle), data, chunk, &written, nullptr))
            return lastError();
        if (written == 0)
            return fileErrorForCode(ERROR_DISK_FULL);
        data += written;
        left -= written;
    }
    return std::nullopt;
}

std::optional<FileError> setPermissions(const Handle&, std::uint32_t)
{
    return std::nullopt;
}

std::optional<FileError> trim(const Handle& handle, qsizetype size)
{
    LARGE_INTEGER position{};
    position.QuadPart = size;
    if (!::SetFilePointerEx(handleOf(handle), position, nullptr, FILE_BEGIN) ||
        !::SetEndOfFile(handleOf(handle)))
        return lastError();
    return std::nullopt;
}

std::optional<FileError> flush(const Handle& handle)
{
    if (!::FlushFileBuffers(handleOf(handle)))
        return lastError();
    return std::nullopt;
}

std::optional<FileError> moveOver(const Place& place, const QString& from)
{
    if (!::MoveFileExW(native(besideThePlace(place, from)).c_str(), native(place.path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    return std::nullopt;
}

void remove(const Place& place, const QString& name)
{
    ::DeleteFileW(native(besideThePlace(place, name)).c_str());
}

void removePlace(const Place& place)
{
    if (!::DeleteFileW(native(place.path).c_str()))
        ::RemoveDirectoryW(native(place.path).c_str());
}

// MoveFileEx's write-through has made the move itself durable.
void flushFolder(const Place&) {}

QList<FolderEntry> folderEntries(const Place& place, bool (*wanted)(const QString& name))
{
    QList<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        ::FindFirstFileW(native(besideThePlace(place, QStringLiteral("*"))).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        if (!wanted(name))
            continue;
        entries.append({name,
                        {.type = diskFileType(found.dwFileAttributes),
                         .ownedByUser = true,
                         .userMayWrite = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0,
                         .modifiedAt = secondsSince1970(found.ftLastWriteTime)}});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

bool nothingAt(const QString& path)
{
    if (::GetFileAttributesW(native(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<FileError> createFolders(const QString& path)
{
    // The missing folders from the outermost in; one that appears meanwhile is as good.
    QStringList missing;
    for (QString folder = QDir::cleanPath(path); nothingAt(folder);) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    for (const QString& folder : std::as_const(missing)) {
        if (!::CreateDirectoryW(native(folder).c_str(), nullptr) &&
            ::GetLastError() != ERROR_ALREADY_EXISTS)
            return lastError();
    }
    return std::nullopt;
}

} // namespace zorvikta::files::system
