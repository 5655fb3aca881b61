// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace zorvikta {

// The program's icon, for its windows.
QIcon programIcon();

// One of our 16 x 16 glyphs for tool buttons and menu items, by its name in the resources.
QIcon glyphIcon(const char* name);

} // namespace zorvikta
