// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"
#include "ui/CellCursor.h"
#include "ui/GridGeometry.h"

#include <QColor>

class QPainter;

namespace zorvikta {

// The grid: background first, then 8 cells for every visible step below the length.
void paintGrid(QPainter& painter, const QSize& surface, const RunRecord& record,
               const GridView& view, const QColor& buttonFace);

// A frame inside the cursor's cell, drawn over the grid while it has the keyboard; nothing when
// the cell is scrolled out of view.
void paintCellCursor(QPainter& painter, const GridView& view, const CellCursor& cursor);

inline constexpr int kStripGroups = 13;
inline constexpr int kGroupPitch = 64;
inline constexpr int kLampHeight = 16;

constexpr QRect lampRect(int group, int lamp)
{
    return {kGroupPitch * group + kGridPitch * lamp, 0, kCellSize, kLampHeight};
}

// The strip: 13 groups of the step's four lamps. Nothing else is drawn, so the gaps keep what
// they had.
void paintStrip(QPainter& painter, std::uint8_t stepByte);

} // namespace zorvikta
