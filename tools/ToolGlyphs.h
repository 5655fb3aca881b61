// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QString>

class QPainter;

namespace zorvikta::tools {

// The tool-bar glyphs and menu pictures: flat shapes with a dark outline on a transparent
// ground, drawn on a 16-unit grid (the Play toggle's on a 32-unit one).
class ToolGlyphs {
public:
    struct Glyph {
        QString name;
        int size;
        void (*draw)(QPainter&);
    };

    static QList<Glyph> all();
    static QImage render(const Glyph& glyph);
};

} // namespace zorvikta::tools
