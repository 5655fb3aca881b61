// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The command line as the system holds it, for the program and the tools alike.
namespace zorvikta::platform {

// The arguments, the program's name first. On Linux they are argv's bytes decoded as file names
// are; on Windows they are the command line's wide strings, since argv holds only the letters of
// the ANSI code page and turns every other one into '?'.
QStringList programArguments(int argc, const char* const* argv);

// The arguments after the program's name that would name another file once decoded, each by its
// decoded form, with its printable name. A system that hands over text has none.
QHash<QString, QString> undecodableProgramArguments(int argc, const char* const* argv);

} // namespace zorvikta::platform
