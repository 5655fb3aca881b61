// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// Every decision about reading and saving a file, for every system. The system files only
// gather the facts these decisions take, from what they opened, and carry the decisions out.
namespace zorvikta::files {

enum class FileType { Regular, Directory, CharacterDevice, Fifo, Link, Other };

// What the system says of one file: of an open handle where there is one, so that a decision
// holds for the very file that is then read or written.
struct FileFacts {
    FileType type = FileType::Other;
    bool ownedByUser = false;
    // The owner's write permission (or, where files have no owners, no read-only mark).
    bool userMayWrite = false;
    std::uint64_t linkCount = 1;
    // The permission bits, set-ID and sticky bits included; 0 where the system has none.
    std::uint32_t permissions = 0;
    // Which file this is, on its volume: two handles with the same pair are the same file.
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::int64_t size = 0;
    // Seconds since 1970 of the last change of content.
    std::int64_t modifiedAt = 0;
};

bool isSameFile(const FileFacts& first, const FileFacts& second);

// Whose names the program saves under: a name the user asked for (in a dialog, on the command
// line, from the settings) may be a device; the program's own names must be plain files.
enum class SaveName { Chosen, BuiltIn };

// What a symbolic link is, in the folder that holds it, as the kernel's protected_symlinks rule
// sees it.
struct LinkFacts {
    bool ownedByUser = false;
    bool ownedByFolderOwner = false;
    bool folderIsStickyAndWorldWritable = false;
};

enum class LinkUse { Load, Save };

// Whether a link may be followed on the way to a file. In a sticky, world-writable folder only
// the follower's own links and the folder owner's are, as protected_symlinks has it, whether the
// kernel enforces that or not; the file a save lands in is reached only through the saver's own
// links, since another user's link there would steer it into a file they could not write.
std::optional<FileError> refusalToFollowLink(const LinkFacts& link, bool lastComponent,
                                             LinkUse use);

// How a system limits names.
struct NameRules {
    // The longest name the system takes, in bytes of its encoding or in UTF-16 units.
    qsizetype longest = 0;
    bool measuredInBytes = true;
    // Windows keeps CON, NUL, COM1 … for devices, with any extension, and a colon after the
    // drive names a stream inside another file.
    bool windowsNames = false;
};

// Why a name cannot name a file of ours (a NUL, too long, not UTF-8, a Windows device or stream),
// before any file is touched; nothing when it can.
std::optional<FileError> refusalOfName(const QString& path, const NameRules& rules);

// The same for a name as the system's bytes, where they may not be UTF-8.
std::optional<FileError> refusalOfSystemName(const QByteArray& path, const NameRules& rules);

// What a save does with what is under its name.
struct SavePlan {
    enum class Way { Create, Replace, WriteDevice, Refuse };
    Way way = Way::Refuse;
    // The permission bits the new file takes over from the replaced one: never set-ID or sticky.
    std::uint32_t permissions = 0;
    FileError refusal;
};

// `existing` is what lies under the name, nothing when nothing does. A file of another user is
// never replaced; devices and FIFOs are written only under a name the user chose.
SavePlan planSave(const std::optional<FileFacts>& existing, SaveName name);

// A file opened to be written must be the one the plan was made for: another user may have put
// something else under its name since.
std::optional<FileError> refusalOfSwap(const FileFacts& planned, const FileFacts& opened);

// Writing into the file itself, where its folder refuses the temporary file: only the user's own
// regular file with no other name, and the very one the plan was made for.
std::optional<FileError> refusalToWriteInPlace(const FileFacts& planned, const FileFacts& opened);

// Reading: regular files, and the user's own devices and FIFOs.
std::optional<FileError> refusalToRead(const FileFacts& opened);

// The permission bits a written file keeps: never set-ID or sticky.
std::uint32_t writablePermissions(std::uint32_t permissions);

// Temporary files of a save, beside the file they replace.
inline constexpr int kTemporaryNameAttempts = 100;
QString temporaryName(std::uint64_t randomNumber);
bool isTemporaryName(const QString& name);
// A temporary file of ours that belongs to no save under way: the program writing it was killed.
// Another user's are theirs to remove.
bool isStaleTemporary(const QString& name, const FileFacts& facts, std::int64_t now);

// The steps that write a new content into an existing file in place, in their order. A cut after
// any of them leaves the old content or the new: a shorter new content is first padded with
// `filler` over the whole old one, so that a cut before the trim reads as the new content.
struct InPlaceStep {
    enum class Kind { Write, Trim, Flush };
    Kind kind = Kind::Write;
    QByteArray bytes;   // Write: from the file's start
    qsizetype size = 0; // Trim: the new length
};
QList<InPlaceStep> inPlaceSteps(qsizetype oldSize, QByteArrayView bytes,
                                std::optional<char> filler);

} // namespace zorvikta::files
