// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace zorvikta {

// Loads Qt's own Russian texts (file dialogs and their buttons) where the system has them,
// whatever the desktop's language: the program speaks Russian. False when they are not there.
bool installQtTranslation(QCoreApplication& application);

} // namespace zorvikta
