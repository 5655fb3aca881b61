// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zorvikta {

// What the program's arguments ask for.
struct StartRequest {
    enum class Action { OpenWindow, PrintHelp, PrintVersion, UsageError };
    Action action = Action::OpenWindow;
    QString file;        // absolute; empty when none was named
    QStringList ignored; // the arguments after the file
    QString message;     // the usage error
};

// `arguments` start with the program's name; a relative file is taken from `workingDirectory`.
StartRequest parseCommandLine(const QStringList& arguments, const QString& workingDirectory);

QString helpText();
QString versionText();

// The one line on standard error for arguments the program does not use.
QString ignoredArgumentsLine(const QStringList& ignored);

} // namespace zorvikta
