// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AnotherUser.h"
#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zorvikta::test {

namespace {

using Action = HostileRow::Action;
using files::SaveName;

// Whether another user can own what is planted; `skip` says why not.
bool anotherUserMayOwn(QString& skip)
{
    skip = whyNoOtherUser();
    return skip.isEmpty();
}

QByteArray systemName(const QString& path)
{
    return QFile::encodeName(path);
}

void setMode(const QString& path, mode_t mode)
{
    ::chmod(systemName(path).constData(), mode);
}

// A folder such as /tmp, where everyone may create files but only remove their own.
void makeShared(const QString& folder)
{
    setMode(folder, 01777);
}

QString privateFile(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("private.zvk"));
    putFile(path, patternBytes(128, 6));
    setMode(path, 0600);
    return path;
}

// Something made under `name` in a shared folder, by another user where `anotherUsers`. It is
// given away before `finish` runs, since a change of owner takes the set-ID bits off.
HostileRow planted(const char* tag, const char* name, SaveName saveName, const QString& message,
                   bool anotherUsers, const std::function<void(const QByteArray& path)>& make,
                   const std::function<void(const QByteArray& path)>& finish = {})
{
    return {tag, Action::Save, saveName, message, false, [=](const QString& folder, QString& skip) {
                if (anotherUsers && !anotherUserMayOwn(skip))
                    return QString();
                makeShared(folder);
                const QString path = QDir(folder).filePath(QString::fromLatin1(name));
                make(systemName(path));
                if (anotherUsers && !giveToAnotherUser(path))
                    skip = QStringLiteral("cannot give the file away");
                if (finish)
                    finish(systemName(path));
                return path;
            }};
}

HostileRow setIdFile(const char* tag, const char* name, SaveName saveName, bool anotherUsers)
{
    const mode_t mode = anotherUsers ? 06777 : 06755;
    return planted(
        tag, name, saveName, anotherUsers ? QStringLiteral("File access denied") : QString(),
        anotherUsers,
        [](const QByteArray& path) { putFile(QFile::decodeName(path), patternBytes(128, 1)); },
        [mode](const QByteArray& path) { ::chmod(path.constData(), mode); });
}

HostileRow fifo(const char* tag, const char* name, bool anotherUsers)
{
    return planted(tag, name, SaveName::BuiltIn, QStringLiteral("File access denied"), anotherUsers,
                   [](const QByteArray& path) { ::mkfifo(path.constData(), 0666); });
}

// The null device again, under a name in the folder.
HostileRow device(const char* tag, SaveName saveName, const QString& message)
{
    return {tag, Action::Save, saveName, message, false, [](const QString& folder, QString& skip) {
                if (!anotherUserMayOwn(skip))
                    return QString();
                const QString path = QDir(folder).filePath(QStringLiteral("tmp.zvk"));
                if (::mknod(systemName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                    skip = QStringLiteral("this system refuses to make a device node here");
                return path;
            }};
}

// Another user's link to the test user's private file, loaded through `way`.
HostileRow plantedLink(const char* tag, const QString& message, bool sharedFolder,
                       bool linkToFolder)
{
    return {tag,
            Action::Load,
            SaveName::Chosen,
            message,
            false,
            [sharedFolder, linkToFolder](const QString& folder, QString& skip) {
                if (!anotherUserMayOwn(skip))
                    return QString();
                QDir(folder).mkdir(QStringLiteral("inner"));
                const QString inner = QDir(folder).filePath(QStringLiteral("inner"));
                const QString target = privateFile(linkToFolder ? inner : folder);
                const QString link = QDir(folder).filePath(QStringLiteral("planted"));
                QFile::link(linkToFolder ? inner : target, link);
                giveToAnotherUser(link);
                if (sharedFolder)
                    makeShared(folder);
                return linkToFolder ? link + QStringLiteral("/private.zvk") : link;
            }};
}

} // namespace

QList<HostileRow> thisSystemsHostileRows()
{
    const QString denied = QStringLiteral("File access denied");
    return {
        setIdFile("another user's set-ID file under the scratch name", "tmp.zvk", SaveName::BuiltIn,
                  true),
        setIdFile("another user's set-ID file under a chosen name", "x.zvk", SaveName::Chosen,
                  true),
        setIdFile("own set-ID file", "mine.zvk", SaveName::Chosen, false),
        fifo("another user's FIFO under the scratch name", "tmp.zvk", true),
        fifo("own FIFO under the preset name", "User001.zvk", false),
        device("device under the scratch name", SaveName::BuiltIn, denied),
        device("device under a chosen name", SaveName::Chosen, QString()),
        {"hard link to a private file, folder refusing new files", Action::Save, SaveName::Chosen,
         denied, true,
         [](const QString& folder, QString&) {
             const QString path = QDir(folder).filePath(QStringLiteral("tmp.zvk"));
             makeHardLink(privateFile(folder), path);
             setMode(folder, 0555);
             return path;
         }},
        plantedLink("another user's link, loaded in a shared folder", denied, true, false),
        plantedLink("another user's link, loaded in a folder of its own", QString(), false, false),
        plantedLink("another user's link on the way, in a shared folder", denied, true, true),
        {"the shared folder's owner's link, loaded", Action::Load, SaveName::Chosen, QString(),
         false,
         [](const QString& folder, QString& skip) {
             if (!anotherUserMayOwn(skip))
                 return QString();
             const QString target = privateFile(folder);
             setMode(target, 0644);
             const QString link = QDir(folder).filePath(QStringLiteral("planted"));
             QFile::link(target, link);
             giveToAnotherUser(link);
             giveToAnotherUser(folder);
             makeShared(folder);
             return link;
         }},
    };
}

QStringList folderSnapshot(const QString& folder)
{
    QStringList snapshot;
    for (const QString& name : folderEntries(folder)) {
        const QString path = QDir(folder).filePath(name);
        struct stat info {};
        ::lstat(systemName(path).constData(), &info);
        const QByteArray bytes = S_ISREG(info.st_mode) ? fileBytes(path) : QByteArray();
        snapshot << QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(name)
                        .arg(info.st_mode, 0, 8)
                        .arg(info.st_uid)
                        .arg(info.st_ino)
                        .arg(QString::fromLatin1(bytes.toHex()));
    }
    return snapshot;
}

bool makeHardLink(const QString& existing, const QString& link)
{
    return ::link(systemName(existing).constData(), systemName(link).constData()) == 0;
}

bool hasSpecialModeBits(const QString& path)
{
    struct stat info {};
    return ::stat(systemName(path).constData(), &info) == 0 && (info.st_mode & 07000) != 0;
}

} // namespace zorvikta::test
