// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvikta::bench {

// Median over several rounds of the mean time of one full redraw, in microseconds, painted into
// images of the on-screen sizes. Needs a QGuiApplication.
struct PaintFigures {
    double gridMicros;  // `PaintSymbol`'s grid, 51 × 8 cells
    double stripMicros; // `PaintRun`'s strip, 52 lamps
};

PaintFigures measurePaint();

} // namespace zorvikta::bench
