// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"
#include "storage/FilePolicy.h"

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

// The program's own names are plain files; only a name the user chose may be a device.
inline files::SaveName saveNameOf(const QString& name)
{
    return name == scratchFileName() || name == newDocumentName() ? files::SaveName::BuiltIn
                                                                  : files::SaveName::Chosen;
}

// A file's full name for a box, cut in the middle where it is too long to read, with a NUL
// written out so that the box shows the rest.
inline QString shownPath(const QString& name)
{
    constexpr qsizetype kLongest = 1024;
    QString shown = name.size() > kLongest ? QDir::toNativeSeparators(name) : systemFilePath(name);
    if (shown.size() > kLongest)
        shown = shown.left(kLongest / 2) + QChar(u'…') + shown.right(kLongest / 2 - 1);
    return shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
}

// The detail of a file error's box: the file, and what went wrong with it.
inline QString fileErrorDetails(const QString& name, const FileError& error)
{
    return shownPath(name) + QStringLiteral(": ") + error.systemReason();
}

} // namespace zorvikta
