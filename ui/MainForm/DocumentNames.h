// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace zorvikta {

// A name in the working directory, written with the platform's separator (".\x" on Windows,
// "./x" elsewhere), so the caption shows it the way the user's system writes paths.
inline QString inWorkingDirectory(const QString& name)
{
    return QStringLiteral(".") + QDir::separator() + name;
}

// A file's name as it enters the main window (from the command line, the settings, a dialog or a
// drop), written with the platform's separators: the caption, the prompts and the settings file
// then show and keep it as the user's system writes paths.
inline QString systemFileName(const QString& name)
{
    return QDir::toNativeSeparators(name);
}

// The whole path of a file, as the details of a box give it.
inline QString systemFilePath(const QString& name)
{
    return QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
}

inline QString scratchFileName()
{
    return inWorkingDirectory(QStringLiteral("tmp.zvk"));
}

// The current file's name before start-up has loaded one.
inline QString designFileName()
{
    return QStringLiteral("User001.zvk");
}

inline QString newDocumentName()
{
    return inWorkingDirectory(QStringLiteral("User001.zvk"));
}

} // namespace zorvikta
