// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentIcon.h"

#include "IconSizes.h"

#include <QPainter>
#include <QPolygonF>

namespace zorvikta::tools {

namespace {

const QColor black(0x00, 0x00, 0x00);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor grey(0x80, 0x80, 0x80);
const QColor silver(0xC0, 0xC0, 0xC0);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor paleGreen(0xC0, 0xDC, 0xC0);

constexpr int channels = 4;
constexpr int steps = 4;

// One lamp walking down the channels, one step at a time.
bool lit(int channel, int step)
{
    return channel == step;
}

// The page outline with its corner cut off, and the fold that fills the cut.
void drawPage(QPainter& painter, double left, double top, double right, double bottom, double fold)
{
    painter.setPen(QPen(black, 1));
    painter.setBrush(white);
    painter.drawPolygon(QPolygonF(
        {{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}}));
    painter.setBrush(silver);
    painter.drawPolygon(
        QPolygonF({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}));
}

// Cells of `cell` pixels every `pitch` pixels from (left, top), on a grey ground one pixel wider
// on every side.
void drawGrid(QPainter& painter, int left, int top, int cell, int pitch)
{
    painter.fillRect(
        QRect(left - 1, top - 1, (steps - 1) * pitch + cell + 2, (channels - 1) * pitch + cell + 2),
        grey);
    for (int channel = 0; channel < channels; ++channel) {
        for (int step = 0; step < steps; ++step) {
            painter.fillRect(QRect(left + step * pitch, top + channel * pitch, cell, cell),
                             lit(channel, step) ? yellow : paleGreen);
        }
    }
}

void drawLarge(QPainter& painter)
{
    drawPage(painter, 3.5, 1.5, 28.5, 30.5, 7);
    painter.fillRect(QRect(6, 4, 13, 1), grey);
    painter.fillRect(QRect(6, 6, 10, 1), grey);
    drawGrid(painter, 7, 10, 4, 5);
}

void drawSmall(QPainter& painter)
{
    drawPage(painter, 1.5, 0.5, 14.5, 15.5, 4);
    painter.fillRect(QRect(3, 2, 6, 1), grey);
    drawGrid(painter, 4, 6, 2, 2);
}

} // namespace

QImage DocumentIcon::render(int size)
{
    return renderIconSize(size, drawSmall, drawLarge);
}

} // namespace zorvikta::tools
