// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace zorvikta::tools {

// Four lamps on a dark tile, two of them lit, above the matching cells of the editing grid.
// Drawn pixel for pixel at 16 and 32 in the spirit of a sixteen-colour icon, and scaled up from
// the 32-pixel layout for the larger sizes.
class ProgramIcon {
public:
    static QImage render(int size);
};

} // namespace zorvikta::tools
