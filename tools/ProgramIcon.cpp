// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramIcon.h"

#include "IconSizes.h"

#include <QPainter>

namespace zorvikta::tools {

namespace {

// The sixteen-colour palette's own colours, plus the grid's pale green.
const QColor black(0x00, 0x00, 0x00);
const QColor navy(0x00, 0x00, 0x80);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor olive(0x80, 0x80, 0x00);
const QColor grey(0x80, 0x80, 0x80);
const QColor silver(0xC0, 0xC0, 0xC0);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor paleGreen(0xC0, 0xDC, 0xC0);

constexpr bool lit[4] = {true, false, true, false};

void fill(QPainter& painter, const QRectF& area, const QColor& colour)
{
    painter.fillRect(area, colour);
}

void drawLarge(QPainter& painter)
{
    painter.setPen(QPen(black, 1));
    painter.setBrush(navy);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);

    for (int lamp = 0; lamp < 4; ++lamp) {
        const double left = 3 + 7 * lamp;
        painter.setPen(Qt::NoPen);
        painter.setBrush(lit[lamp] ? yellow : olive);
        painter.drawEllipse(QRectF(left, 7, 5, 6.5));
        fill(painter, QRectF(left + 1, 13, 3, 3), silver);
        fill(painter, QRectF(left + 1, 14, 3, 1), grey);
        if (lit[lamp]) {
            fill(painter, QRectF(left + 1, 8, 1, 2), white);
            fill(painter, QRectF(left + 2, 2.5, 1, 3), yellow);
            fill(painter, QRectF(left - 0.5, 4, 1, 1.5), yellow);
            fill(painter, QRectF(left + 4.5, 4, 1, 1.5), yellow);
        }
        fill(painter, QRectF(left, 22, 5, 5), lit[lamp] ? yellow : paleGreen);
    }
    fill(painter, QRectF(3, 18, 26, 1), silver);
}

void drawSmall(QPainter& painter)
{
    painter.setPen(QPen(black, 1));
    painter.setBrush(navy);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    for (int lamp = 0; lamp < 4; ++lamp) {
        const double left = 2 + 3 * lamp;
        fill(painter, QRectF(left, 2, 2, 4), lit[lamp] ? yellow : olive);
        fill(painter, QRectF(left, 6, 2, 1), silver);
        fill(painter, QRectF(left, 10, 2, 3), lit[lamp] ? yellow : paleGreen);
    }
    fill(painter, QRectF(2, 8, 11, 1), silver);
}

} // namespace

QImage ProgramIcon::render(int size)
{
    return renderIconSize(size, drawSmall, drawLarge);
}

} // namespace zorvikta::tools
