// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The working folder is where the relative names land: the scratch copy ".\tmp.zvk" and a new
// pattern's ".\User001.zvk".
namespace zorvikta::platform {

// At start-up, before any relative name is used. On Windows a program started from the Start
// menu, from a file's association or from its own unpacked folder works in its own folder (or in
// the Windows folder), which the uninstaller removes and a user never looks into: it moves to the
// user's folder for patterns, Documents\Zorvikta, made on first use. A folder the user chose, a
// command prompt's say, stays. Elsewhere the working folder is always the user's.
void leaveProgramFolder();

// After a file dialog was confirmed with `chosenFile`. On Windows the working folder follows the
// folder last used for a file, as the system's own file dialogs have it move; elsewhere it stays.
void followChosenFile(const QString& chosenFile);

// The folder that leaveProgramFolder() moves to; empty where there is none.
QString patternFolder();

} // namespace zorvikta::platform
