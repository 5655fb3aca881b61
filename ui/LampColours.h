// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace zorvikta {

// Shared by the grid and the emulator strip.
inline const QColor kLampLit{0xFF, 0xFF, 0x00};
inline const QColor kLampDark{0xC0, 0xDC, 0xC0};

} // namespace zorvikta
