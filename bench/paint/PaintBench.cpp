// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintBench.h"

#include "model/RunRecord.h"
#include "ui/PatternPainters.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <functional>
#include <vector>

namespace zorvikta::bench {

namespace {

constexpr int kRounds = 9;
constexpr int kRedrawsPerRound = 2000;

double microsecondsPerRedraw(const std::function<void()>& redraw)
{
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        for (int redraws = 0; redraws < kRedrawsPerRound; ++redraws)
            redraw();
        rounds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0 / kRedrawsPerRound);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

} // namespace

PaintFigures measurePaint()
{
    RunRecord record{};
    for (int step = 0; step < kStepCount; ++step)
        record[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>(step * 37);
    const GridView view{4, 100, 0};
    const QColor face(0xEF, 0xEF, 0xEF);

    QImage grid(830, 75, QImage::Format_RGB32);
    const double gridMicros = microsecondsPerRedraw([&] {
        QPainter painter(&grid);
        paintGrid(painter, grid.size(), record, view, face);
    });

    QImage strip(832, 17, QImage::Format_RGB32);
    std::uint8_t stepByte = 0;
    const double stripMicros = microsecondsPerRedraw([&] {
        QPainter painter(&strip);
        paintStrip(painter, stepByte += 0x10);
    });
    return {gridMicros, stripMicros};
}

} // namespace zorvikta::bench
