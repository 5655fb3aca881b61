// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop entry and the terminal start the program in a folder of the user's: the working
// folder is left as it is.
#include "platform/WorkingFolder.h"

namespace zorvikta::platform {

void leaveProgramFolder() {}

void followChosenFile(const QString& /*chosenFile*/) {}

QString patternFolder()
{
    return {};
}

} // namespace zorvikta::platform
