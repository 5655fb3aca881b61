// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace zorvikta::tools {

// The run file's icon for file managers: a white page with a folded corner carrying a small
// editing grid with a running light across it, in the program icon's colours. Drawn pixel for
// pixel at 16 and 32, and scaled up from the 32-pixel layout for the larger sizes.
class DocumentIcon {
public:
    static QImage render(int size);
};

} // namespace zorvikta::tools
