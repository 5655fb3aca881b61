// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FilePolicy.h"

#include "storage/FileNames.h"

#include <QUtf8StringView>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace zorvikta::files {

namespace {

constexpr std::uint32_t kPermissionBits = 0777;
// A temporary file of ours this old belongs to no save still under way.
constexpr std::int64_t kStaleTemporarySeconds = 60;
const QString kTemporaryPrefix = QStringLiteral(".zorvikta-");
const QString kTemporarySuffix = QStringLiteral(".tmp");

FileError refused(FileError::Kind kind, const QString& reason)
{
    FileError error = fileErrorOfKind(kind);
    error.reason = reason;
    return error;
}

FileError accessDenied(const QString& reason)
{
    return refused(FileError::Kind::AccessDenied, reason);
}

FileError badName(const QString& reason)
{
    return refused(FileError::Kind::BadPath, reason);
}

// The part of a Windows name after its folder, without its extensions: what Windows compares
// with its device names. Trailing dots and spaces are dropped, as Windows drops them.
QString windowsDeviceStem(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    QString leaf = path.sliced(slash + 1);
    const qsizetype dot = leaf.indexOf(u'.');
    if (dot >= 0)
        leaf.truncate(dot);
    while (leaf.endsWith(u' '))
        leaf.chop(1);
    return leaf;
}

// Compared by hand rather than by a regular expression: a save may run on a thread of its own,
// and the expression's per-thread stack, freed as such a thread ends, has crashed Windows builds.
bool isWindowsDeviceName(const QString& stem)
{
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
        if (stem.compare(QStringView(device), Qt::CaseInsensitive) == 0)
            return true;
    }
    // COM and LPT with a digit from 1 to 9, or a superscript one, two or three.
    if (stem.size() != 4)
        return false;
    const QStringView port = QStringView(stem).first(3);
    const char16_t number = stem.at(3).unicode();
    return (port.compare(u"COM", Qt::CaseInsensitive) == 0 ||
            port.compare(u"LPT", Qt::CaseInsensitive) == 0) &&
           ((number >= u'1' && number <= u'9') || number == u'\u00B9' || number == u'\u00B2' ||
            number == u'\u00B3');
}

// A colon anywhere but after a drive letter at the start names a stream of another file. The
// long-path prefix \\?\ comes before the drive letter.
bool namesWindowsStream(QString path)
{
    if (path.startsWith(QStringLiteral("\\\\?\\")) || path.startsWith(QStringLiteral("//?/")))
        path.remove(0, 4);
    const qsizetype colon = path.indexOf(u':');
    if (colon < 0)
        return false;
    const bool driveColon = colon == 1 && path.at(0).isLetter();
    return !driveColon || path.indexOf(u':', colon + 1) >= 0;
}

std::optional<FileError> refusalOfLength(qsizetype length, const NameRules& rules)
{
    if (length <= rules.longest)
        return std::nullopt;
    return badName(
        QStringLiteral("the name is longer than the %1 %2 the system allows")
            .arg(rules.longest)
            .arg(rules.measuredInBytes ? QStringLiteral("bytes") : QStringLiteral("characters")));
}

} // namespace

bool isSameFile(const FileFacts& first, const FileFacts& second)
{
    return first.volume == second.volume && first.index == second.index &&
           first.type == second.type;
}

std::optional<FileError> refusalToFollowLink(const LinkFacts& link, bool lastComponent, LinkUse use)
{
    const bool follows =
        link.ownedByUser || (!(lastComponent && use == LinkUse::Save) &&
                             (!link.folderIsStickyAndWorldWritable || link.ownedByFolderOwner));
    if (follows)
        return std::nullopt;
    return accessDenied(QStringLiteral("the name is a link that another user made"));
}

std::optional<FileError> refusalOfName(const QString& path, const NameRules& rules)
{
    if (path.contains(QChar(u'\0')))
        return badName(QStringLiteral("the name holds a NUL character, which no file name can"));
    const qsizetype length = rules.measuredInBytes ? path.toUtf8().size() : path.size();
    if (auto tooLong = refusalOfLength(length, rules))
        return tooLong;
    if (!rules.windowsNames)
        return std::nullopt;
    if (const QString stem = windowsDeviceStem(path); isWindowsDeviceName(stem))
        return badName(QStringLiteral("%1 is the name of a device on Windows, not of a file; "
                                      "choose another name")
                           .arg(stem.toUpper()));
    if (namesWindowsStream(path))
        return badName(QStringLiteral("a colon in a file name names a hidden stream of another "
                                      "file on Windows; choose a name without one"));
    return std::nullopt;
}

std::optional<FileError> refusalOfSystemName(const QByteArray& path, const NameRules& rules)
{
    if (path.contains('\0'))
        return refusalOfName(QString(QChar(u'\0')), rules);
    if (auto tooLong = refusalOfLength(path.size(), rules))
        return tooLong;
    if (!QUtf8StringView(path).isValidUtf8())
        return badName(undecodableNameReason());
    return refusalOfName(QString::fromUtf8(path), rules);
}

SavePlan planSave(const std::optional<FileFacts>& existing, SaveName name)
{
    if (!existing)
        return {SavePlan::Way::Create, 0, {}};
    switch (existing->type) {
    case FileType::Regular:
        if (!existing->ownedByUser)
            return {SavePlan::Way::Refuse, 0,
                    accessDenied(QStringLiteral("the file belongs to another user"))};
        if (!existing->userMayWrite)
            return {SavePlan::Way::Refuse, 0,
                    accessDenied(QStringLiteral("the file is marked read-only"))};
        return {SavePlan::Way::Replace, writablePermissions(existing->permissions), {}};
    case FileType::CharacterDevice:
    case FileType::Fifo:
        if (name == SaveName::Chosen)
            return {SavePlan::Way::WriteDevice, 0, {}};
        return {SavePlan::Way::Refuse, 0,
                accessDenied(QStringLiteral("a device or pipe stands under the program's own "
                                            "file name, which only ever names a plain file"))};
    case FileType::Directory:
        return {SavePlan::Way::Refuse, 0, fileErrorForErrno(EISDIR)};
    case FileType::Link:
        return {SavePlan::Way::Refuse, 0,
                accessDenied(QStringLiteral("the name is a link, which no save goes through "
                                            "unchecked"))};
    case FileType::Other:
        break;
    }
    return {SavePlan::Way::Refuse, 0,
            accessDenied(QStringLiteral("the name is neither a file nor a device"))};
}

std::optional<FileError> refusalOfSwap(const FileFacts& planned, const FileFacts& opened)
{
    if (isSameFile(planned, opened))
        return std::nullopt;
    return accessDenied(QStringLiteral("the file was replaced by another while it was saved"));
}

std::optional<FileError> refusalToWriteInPlace(const FileFacts& planned, const FileFacts& opened)
{
    if (auto swapped = refusalOfSwap(planned, opened))
        return swapped;
    if (opened.type != FileType::Regular || !opened.ownedByUser)
        return accessDenied(QStringLiteral("the file belongs to another user"));
    if (opened.linkCount != 1)
        return accessDenied(
            QStringLiteral("the file has other names (hard links) and its folder refuses the new "
                           "file that would replace it"));
    return std::nullopt;
}

std::optional<FileError> refusalToRead(const FileFacts& opened)
{
    switch (opened.type) {
    case FileType::Regular:
        return std::nullopt;
    case FileType::CharacterDevice:
    case FileType::Fifo:
        if (opened.ownedByUser)
            return std::nullopt;
        return accessDenied(QStringLiteral("the name is a device or pipe of another user"));
    case FileType::Directory:
        return fileErrorForErrno(EISDIR);
    case FileType::Link:
        return accessDenied(QStringLiteral("the name is a link that another user made"));
    case FileType::Other:
        break;
    }
    return accessDenied(QStringLiteral("the name is neither a file nor a device"));
}

std::uint32_t writablePermissions(std::uint32_t permissions)
{
    return permissions & kPermissionBits;
}

QString temporaryName(std::uint64_t randomNumber)
{
    return kTemporaryPrefix + QString::number(randomNumber, 16) + kTemporarySuffix;
}

bool isTemporaryName(const QString& name)
{
    if (!name.startsWith(kTemporaryPrefix) || !name.endsWith(kTemporarySuffix))
        return false;
    const QStringView number =
        QStringView(name).sliced(kTemporaryPrefix.size()).chopped(kTemporarySuffix.size());
    return !number.isEmpty() && std::all_of(number.cbegin(), number.cend(), [](QChar c) {
        return c.unicode() < 0x80 && std::isxdigit(static_cast<unsigned char>(c.unicode())) != 0;
    });
}

bool isStaleTemporary(const QString& name, const FileFacts& facts, std::int64_t now)
{
    return isTemporaryName(name) && facts.type == FileType::Regular && facts.ownedByUser &&
           now - facts.modifiedAt > kStaleTemporarySeconds;
}

QList<InPlaceStep> inPlaceSteps(qsizetype oldSize, QByteArrayView bytes, std::optional<char> filler)
{
    QByteArray written = bytes.toByteArray();
    if (filler && oldSize > written.size())
        written.append(oldSize - written.size(), *filler);
    return {{InPlaceStep::Kind::Write, written, 0},
            {InPlaceStep::Kind::Trim, {}, bytes.size()},
            {InPlaceStep::Kind::Flush, {}, 0}};
}

} // namespace zorvikta::files
