// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PatternPainters.h"

#include "ui/LampColours.h"

#include <QPainter>
#include <QVarLengthArray>

#include <utility>

namespace zorvikta {

void paintGrid(QPainter& painter, const QSize& surface, const RunRecord& record,
               const GridView& view, const QColor& buttonFace)
{
    painter.fillRect(QRect(QPoint(0, 0), surface), buttonFace);
    for (int column = 0; column < kGridColumns; ++column) {
        const int step = view.firstVisibleStep + column;
        if (step >= view.length || step >= kVisibleStepLimit)
            continue;
        const std::uint8_t stepByte = record[static_cast<std::size_t>(step)];
        for (int row = 0; row < kGridRows; ++row) {
            const bool lit = isLit(stepByte, row);
            const QColor& colour = row >= view.channelCount ? buttonFace
                                   : lit                    ? kLampLit
                                                            : kLampDark;
            painter.fillRect(cellRect(column, row), colour);
        }
    }
}

void paintCellCursor(QPainter& painter, const GridView& view, const CellCursor& cursor)
{
    const int column = cursor.step - view.firstVisibleStep;
    if (column < 0 || column >= kGridColumns)
        return;
    // Two pixels of black read on a lit and on a dark lamp alike.
    const QRect cell = cellRect(column, cursor.channel);
    for (const QRect& edge : {QRect(cell.left(), cell.top(), kCellSize, 2),
                              QRect(cell.left(), cell.bottom() - 1, kCellSize, 2),
                              QRect(cell.left(), cell.top(), 2, kCellSize),
                              QRect(cell.right() - 1, cell.top(), 2, kCellSize)})
        painter.fillRect(edge, Qt::black);
}

// The strip is redrawn with every step the emulator plays, so its lamps go out in two batches,
// one per colour, rather than one call each.
void paintStrip(QPainter& painter, std::uint8_t stepByte)
{
    QVarLengthArray<QRect, kStripGroups * kChannelSlots> lit;
    QVarLengthArray<QRect, kStripGroups * kChannelSlots> dark;
    for (int group = 0; group < kStripGroups; ++group) {
        for (int lamp = 0; lamp < kChannelSlots; ++lamp)
            (isLit(stepByte, lamp) ? lit : dark).append(lampRect(group, lamp));
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const auto& [rects, colour] : {std::pair{&lit, &kLampLit}, std::pair{&dark, &kLampDark}}) {
        painter.setBrush(*colour);
        painter.drawRects(rects->constData(), static_cast<int>(rects->size()));
    }
    painter.restore();
}

} // namespace zorvikta
