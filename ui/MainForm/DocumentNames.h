// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>

namespace zorvikta {

// A name in the working directory, written with the platform's separator (".\x" on Windows,
// "./x" elsewhere), so the caption shows it the way the user's system writes paths.
inline QString inWorkingDirectory(const QString& name)
{
    return QStringLiteral(".") + QDir::separator() + name;
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
