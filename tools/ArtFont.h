// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace zorvikta::tools {

// The one typeface of every drawing: DejaVu Sans has the Cyrillic letters and is a Debian
// package, so a regenerated picture looks the same on every machine that builds it.
class ArtFont {
public:
    static QString family();

    // Empty when the typeface is installed, otherwise what to install.
    static QString missingReason();

    static QFont pixels(int pixelSize, bool bold = false);
};

} // namespace zorvikta::tools
