// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

namespace zorvikta {

// The light button-face colours the windows were designed with. The program's coloured labels
// (green, maroon, purple, navy) read well only on them, so the windows keep them whatever colour
// scheme the desktop uses.
QPalette designPalette();

} // namespace zorvikta
