// SPDX-License-Identifier: GPL-3.0-or-later
// How long a full redraw of the grid and of the lamp strip takes, offscreen.
#include "PaintBench.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const zorvikta::bench::PaintFigures figures = zorvikta::bench::measurePaint();

    std::printf("| redraw | surface | median µs per redraw | target |\n");
    std::printf("|---|---|---|---|\n");
    std::printf("| grid (`PaintSymbol`, 51 × 8 cells) | 830 × 75 | %.1f | ≤ 200 |\n",
                figures.gridMicros);
    std::printf("| strip (`PaintRun`, 52 lamps) | 832 × 17 | %.1f | |\n", figures.stripMicros);
    return 0;
}
