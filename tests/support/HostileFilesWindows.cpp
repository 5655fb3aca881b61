// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace zorvikta::test {

namespace {

HostileRow deviceName(const char* tag, const char* name, HostileRow::Action action)
{
    return {tag,
            action,
            files::SaveName::Chosen,
            QStringLiteral("Invalid filename"),
            false,
            [name](const QString& folder, QString&) {
                return QDir(folder).filePath(QString::fromLatin1(name));
            }};
}

} // namespace

QList<HostileRow> thisSystemsHostileRows()
{
    using Action = HostileRow::Action;
    return {
        deviceName("device name CON", "CON", Action::Save),
        deviceName("device name with an extension", "nul.zvk", Action::Save),
        deviceName("serial port's name", "COM1.zvk", Action::Save),
        deviceName("printer's name, loaded", "lpt1", Action::Load),
        deviceName("alternate data stream", "x.zvk:evil", Action::Save),
        {"file marked read-only", Action::Save, files::SaveName::Chosen,
         QStringLiteral("File access denied"), false,
         [](const QString& folder, QString&) {
             const QString path = QDir(folder).filePath(QStringLiteral("kept.zvk"));
             putFile(path, patternBytes(128, 3));
             QFile::setPermissions(path, QFileDevice::ReadOwner);
             return path;
         }},
    };
}

QStringList folderSnapshot(const QString& folder)
{
    QStringList snapshot;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const DWORD attributes = ::GetFileAttributesW(
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(entry.filePath()).utf16()));
        snapshot << QStringLiteral("%1 %2 %3")
                        .arg(entry.fileName())
                        .arg(attributes)
                        .arg(QString::fromLatin1(fileBytes(entry.filePath()).toHex()));
    }
    return snapshot;
}

bool makeHardLink(const QString& existing, const QString& link)
{
    return ::CreateHardLinkW(
               reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(link).utf16()),
               reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(existing).utf16()),
               nullptr) != 0;
}

bool hasSpecialModeBits(const QString&)
{
    return false;
}

} // namespace zorvikta::test
