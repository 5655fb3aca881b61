// How long a full redraw of the grid and of the lamp strip takes, offscreen.
#include "model/RunRecord.h"
#include "ui/PatternPainters.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 9;
constexpr int kRedrawsPerRound = 2000;

// Median over several rounds of the mean time of one redraw, in microseconds.
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    zorvikta::RunRecord record{};
    for (int step = 0; step < zorvikta::kStepCount; ++step)
        record[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>(step * 37);
    const zorvikta::GridView view{4, 100, 0};
    const QColor face(0xEF, 0xEF, 0xEF);

    QImage grid(830, 75, QImage::Format_RGB32);
    const double gridMicros = microsecondsPerRedraw([&] {
        QPainter painter(&grid);
        zorvikta::paintGrid(painter, grid.size(), record, view, face);
    });

    QImage strip(832, 17, QImage::Format_RGB32);
    std::uint8_t stepByte = 0;
    const double stripMicros = microsecondsPerRedraw([&] {
        QPainter painter(&strip);
        zorvikta::paintStrip(painter, stepByte += 0x10);
    });

    std::printf("| redraw | surface | median µs per redraw | target |\n");
    std::printf("|---|---|---|---|\n");
    std::printf("| grid (`PaintSymbol`, 51 × 8 cells) | 830 × 75 | %.1f | ≤ 200 |\n", gridMicros);
    std::printf("| strip (`PaintRun`, 52 lamps) | 832 × 17 | %.1f | |\n", stripMicros);
    return 0;
}
