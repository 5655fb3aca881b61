// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/GridGeometry.h"

#include <algorithm>

namespace zorvikta {

// The grid's keyboard cell: a step and a channel (0 = channel 1).
struct CellCursor {
    int step = 0;
    int channel = 0;

    friend constexpr bool operator==(const CellCursor&, const CellCursor&) = default;
};

// The active cells shrink with the channel count and the length; the cursor stays on one.
constexpr CellCursor clampToActive(CellCursor cursor, const GridView& view)
{
    return {std::clamp(cursor.step, 0, view.length - 1),
            std::clamp(cursor.channel, 0, view.channelCount - 1)};
}

// Columns shown with all their pixels on a grid of this width, at least one.
constexpr int wholeColumns(int gridWidth)
{
    return std::clamp((gridWidth + 1) / kGridPitch, 1, kGridColumns);
}

// The first visible step that shows `step` in a whole column, moving the view as little as
// possible and no further than the view can go.
constexpr int firstVisibleShowing(int step, int firstVisible, int columns, int lastFirstVisible)
{
    if (step < firstVisible)
        firstVisible = step;
    else if (step >= firstVisible + columns)
        firstVisible = step - columns + 1;
    return std::clamp(firstVisible, 0, lastFirstVisible);
}

} // namespace zorvikta
