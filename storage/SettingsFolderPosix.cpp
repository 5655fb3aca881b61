// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFolder.h"

#include <QDir>

namespace zorvikta::platform {

QString settingsFolder()
{
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is invalid by the XDG rules and is ignored like an empty one.
    if (!configHome.isEmpty() && QDir::isAbsolutePath(configHome))
        return configHome;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString settingsFileToRead(const QString& path)
{
    return path;
}

std::optional<QString> legacyCodePageText(const QByteArray&)
{
    return std::nullopt;
}

} // namespace zorvikta::platform
