// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AwkwardPaths.h"
#include "support/FileModes.h"
#include "support/TestFiles.h"
#include "support/ThisSystem.h"

#include <QDir>
#include <QFileInfo>

namespace zorvikta::test {

QString awkwardPath(const QString& kind, const QString& folder, QString& skip)
{
    const QDir dir(folder);
    if (kind == u"directory") {
        dir.mkdir(QStringLiteral("folder.zvk"));
        return dir.filePath(QStringLiteral("folder.zvk"));
    }
    if (kind == u"parent is a file") {
        putFile(dir.filePath(QStringLiteral("plain")), "not a folder");
        return dir.filePath(QStringLiteral("plain/inside.zvk"));
    }
    if (kind == u"missing folder")
        return dir.filePath(QStringLiteral("nowhere/inside.zvk"));
    if (kind == u"name too long") {
        if (!refusesLongNames())
            skip = QStringLiteral("a long name goes to the file system here, which decides");
        return skip.isEmpty() ? dir.filePath(QString(300, u'n')) : QString();
    }
    if (kind == u"fifo") {
        const QString path = dir.filePath(QStringLiteral("pipe.zvk"));
        if (!makeFifo(path))
            skip = QStringLiteral("no FIFO can live among a folder's files here");
        return skip.isEmpty() ? path : QString();
    }
    if (kind == u"full device") {
        const std::optional<QString> device = fullDevice();
        if (!device || !QFileInfo::exists(*device))
            skip = QStringLiteral("no device here fails every write as a full disk does");
        return skip.isEmpty() ? *device : QString();
    }
    if (kind == u"refused character") {
        const std::optional<QString> name = nameWithARefusedCharacter();
        if (!name)
            skip = QStringLiteral("every character but the slash and NUL may stand in a name here");
        return skip.isEmpty() ? dir.filePath(*name) : QString();
    }
    return dir.filePath(QStringLiteral("absent.zvk"));
}

} // namespace zorvikta::test
