// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"
#include "storage/FilePolicy.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// The system calls that reading and saving files take, one file per system; every decision
// about them is made in FileAccess.cpp and FilePolicy.cpp. Nothing here blocks: a FIFO or a
// device gives or takes what it can at once.
namespace zorvikta::files::system {

// An open file or folder; closed when it goes.
class Handle {
public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle();

    bool isOpen() const;
    std::intptr_t value() const { return m_value; }
    void reset(std::intptr_t value);
    // Gives the open file up to the caller, who closes it.
    std::intptr_t release();
    // Closes it now and says whether the close failed, which may report a write that failed.
    std::optional<FileError> close();

private:
    std::intptr_t m_value = -1;
};

// Where a name leads once every link on the way has been judged. Each system fills what it works
// with: the open folder that holds the file and the file's name in it, or the file's whole path.
struct Place {
    Handle folder;
    QByteArray leaf;
    QString path;
};

NameRules nameRules();

// Seconds since 1970, as file facts count them.
std::int64_t now();

// Follows the path to its last name; every link on the way is judged by refusalToFollowLink, and
// the last name is followed only where it is such a link.
std::optional<FileError> locate(const QString& path, LinkUse use, Place& place);

// What lies under the place's name, without following it; nothing when nothing does.
std::optional<FileError> factsAt(const Place& place, std::optional<FileFacts>& facts);
std::optional<FileError> factsOf(const Handle& handle, FileFacts& facts);

// Both open the existing file itself, never a link, without waiting for a reader or a writer.
std::optional<FileError> openToRead(const Place& place, Handle& handle);
std::optional<FileError> openToWrite(const Place& place, Handle& handle);

// Creates a new, empty file beside the place's file; `nameTaken` when the name is in use.
std::optional<FileError> createNew(const Place& place, const QString& name, Handle& handle,
                                   bool& nameTaken);

// Whether a failure is the folder's or the file's permissions refusing, as opposed to a folder
// locked on purpose (a read-only volume, an immutable folder), which is respected.
bool refusedByPermissions(const FileError& error);

// `got` is 0 at the end, and where a FIFO or device has nothing waiting.
std::optional<FileError> readSome(const Handle& handle, char* buffer, qsizetype size,
                                  qsizetype& got);
// All or a failure: a device that takes less at once is a failure too.
std::optional<FileError> writeAll(const Handle& handle, QByteArrayView bytes);
std::optional<FileError> setPermissions(const Handle& handle, std::uint32_t permissions);
std::optional<FileError> trim(const Handle& handle, qsizetype size);
std::optional<FileError> flush(const Handle& handle);

// Moves the file `from` over the place's file, in one step, in the place's folder.
std::optional<FileError> moveOver(const Place& place, const QString& from);
// Removes the file `name` beside the place's file, or the place's file itself.
void remove(const Place& place, const QString& name);
void removePlace(const Place& place);
void flushFolder(const Place& place);

struct FolderEntry {
    QString name;
    FileFacts facts;
};
// The entries of the place's folder whose names are `wanted`.
QList<FolderEntry> folderEntries(const Place& place, bool (*wanted)(const QString& name));

// True when the system says that nothing is under the path.
bool nothingAt(const QString& path);
std::optional<FileError> createFolders(const QString& path);

} // namespace zorvikta::files::system
