#include "ui/PatternPainters.h"

#include "ui/LampColours.h"

#include <QPainter>

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
            const bool lit = ((stepByte >> (7 - row)) & 1) != 0;
            const QColor& colour = row >= view.channelCount ? buttonFace
                                   : lit                    ? kLampLit
                                                            : kLampDark;
            painter.fillRect(cellRect(column, row), colour);
        }
    }
}

void paintStrip(QPainter& painter, std::uint8_t stepByte)
{
    for (int group = 0; group < kStripGroups; ++group) {
        for (int lamp = 0; lamp < kChannelSlots; ++lamp)
            painter.fillRect(lampRect(group, lamp), isLit(stepByte, lamp) ? kLampLit : kLampDark);
    }
}

} // namespace zorvikta
