// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorvikta::platform {

namespace {

// The folder for programs' roaming data: Qt adds the organisation's and the program's names,
// which differ between the window and zvk, while both share one settings file.
QString roamingDataFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    for (const QString& added :
         {QCoreApplication::applicationName(), QCoreApplication::organizationName()}) {
        if (!added.isEmpty() && folder.endsWith(u'/' + added))
            folder.chop(added.size() + 1);
    }
    return folder;
}

} // namespace

QString settingsFolder()
{
    return roamingDataFolder() + QStringLiteral("/Zorvikta");
}

QString settingsFileToRead(const QString& path)
{
    // Zorvikta.ini in the Windows folder is where the settings were kept before they moved to
    // each user's own folder; it is read until the user's own file exists, and never written.
    const QString windowsFolder = qEnvironmentVariable("WINDIR");
    if (windowsFolder.isEmpty() || QFileInfo::exists(path) ||
        QFileInfo(path).absolutePath() != settingsFolder())
        return path;
    const QString earlier = QDir(windowsFolder).filePath(QFileInfo(path).fileName());
    return QFileInfo::exists(earlier) ? earlier : path;
}

// The programs that wrote settings into the Windows folder wrote them in the ANSI code page.
std::optional<QString> legacyCodePageText(const QByteArray& value)
{
    return QString::fromLocal8Bit(value);
}

} // namespace zorvikta::platform
