// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <optional>

namespace zorvikta {

inline constexpr int kGridPitch = 16;
inline constexpr int kCellSize = 15;
inline constexpr int kGridColumns = 51;
inline constexpr int kGridRows = 8;
inline constexpr int kVisibleStepLimit = 100;
// The step bar's last position at the design width: the first visible step goes up to 70.
inline constexpr int kDesignLastFirstVisible = 70;

// What the grid shows: the three controls it reads.
struct GridView {
    int channelCount = 4;
    int length = 8;
    int firstVisibleStep = 0;
};

// An active cell under the pointer: its step index and channel (0 = channel 1).
struct GridHit {
    int step;
    int channel;
};

constexpr QRect cellRect(int column, int row)
{
    return {kGridPitch * column, kGridPitch * row, kCellSize, kCellSize};
}

// Division truncates toward zero, so the 15 pixels left of and above the grid still count as
// column 0 and row 0; only a held button can report such positions.
constexpr std::optional<GridHit> hitTest(const GridView& view, int x, int y)
{
    const int column = x / kGridPitch;
    const int row = y / kGridPitch;
    const int step = view.firstVisibleStep + column;
    if (row < 0 || row >= view.channelCount || column < 0 || step >= view.length)
        return std::nullopt;
    return GridHit{step, row};
}

} // namespace zorvikta
