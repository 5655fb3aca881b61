// SPDX-License-Identifier: GPL-3.0-or-later
// Every figure the program is held to, measured side by side on this machine and printed as one
// Markdown table. Each figure is the median of several runs; a figure never fails the command.
#include "EmulatorBench.h"
#include "PaintBench.h"
#include "StartupBench.h"
#include "UploadBench.h"

#include "bench/support/Statistics.h"
#include "model/StepPeriod.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

using namespace zorvikta;
using namespace zorvikta::bench;

namespace {

constexpr int kStartupRuns = 15;
constexpr int kPlayRuns = 3;
constexpr int kStepsPerRun = 200;
constexpr int kIdleMs = 10000;
constexpr int kUploads = 20;

QTextStream& progress()
{
    static QTextStream stream(stderr);
    return stream;
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("**missed**");
}

// The medians of one program's starts.
struct StartupMedians {
    double ms = 0;
    double mib = 0;
};

struct StartupFigures {
    StartupMedians program;
    StartupMedians bare; // the empty window
    StartupMedians text; // the window that shows text
    int failures = 0;
};

// Alternates the programs, after one start of each that only warms the caches.
StartupFigures measureStartup()
{
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("home/.config"));
    QFile pattern(folder.filePath(QStringLiteral("tmp.zvk")));
    if (pattern.open(QIODevice::WriteOnly)) {
        QByteArray bytes(kFileSize, '\x01');
        bytes.replace(0, 8, QByteArray("\xe0\x70\xb0\xd0\xe0\x70\xb0\xd0", 8));
        bytes[kChannelCountIndex] = 4;
        bytes[kLengthIndex] = 8;
        bytes[kSpeedIndex] = static_cast<char>(230);
        pattern.write(bytes);
        pattern.close();
    }
    StartupFigures figures;
    const std::array<std::pair<QString, StartupMedians*>, 3> programs{{
        {QStringLiteral(ZORVIKTA_BENCH_STARTUP_PROGRAM), &figures.program},
        {QStringLiteral(ZORVIKTA_BENCH_STARTUP_BARE), &figures.bare},
        {QStringLiteral(ZORVIKTA_BENCH_STARTUP_TEXT), &figures.text},
    }};
    for (const auto& [program, medians] : programs)
        runToFirstPaint(program, folder.path());

    std::array<std::vector<double>, programs.size()> ms, mib;
    for (int run = 0; run < kStartupRuns; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            if (const auto measured = runToFirstPaint(programs[i].first, folder.path())) {
                ms[i].push_back(measured->milliseconds);
                mib[i].push_back(measured->peakResidentMiB);
            } else {
                ++figures.failures;
            }
        }
    }
    for (std::size_t i = 0; i < programs.size(); ++i)
        *programs[i].second = {median(ms[i]), median(mib[i])};
    return figures;
}

struct PlayFigures {
    double meanErrorPercent;
    double p99DeviationMs;
    double cpuPercent;
};

PlayFigures measurePlay(EmulatorBench& emulator, int speed)
{
    std::vector<double> errors, deviations, cpu;
    for (int run = 0; run < kPlayRuns; ++run) {
        const PlayRun measured = emulator.play(speed, kStepsPerRun);
        errors.push_back(measured.meanErrorPercent);
        deviations.push_back(measured.p99DeviationMs);
        cpu.push_back(measured.cpuPercent);
    }
    return {median(errors), median(deviations), median(cpu)};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString platform = QApplication::platformName();
    QTextStream out(stdout);

    progress() << "start-up, " << kStartupRuns << " runs of each program..." << Qt::endl;
    const StartupFigures startup = measureStartup();
    progress() << "grid redraw..." << Qt::endl;
    const PaintFigures paint = measurePaint();
    progress() << "emulator at speeds 250 and 230, " << kPlayRuns << " runs of " << kStepsPerRun
               << " steps each, and idle..." << Qt::endl;
    EmulatorBench emulator;
    const PlayFigures fast = measurePlay(emulator, kMaxSpeed);
    const PlayFigures slow = measurePlay(emulator, 230);
    std::vector<double> idle;
    for (int run = 0; run < kPlayRuns; ++run)
        idle.push_back(emulator.idleCpuPercent(kIdleMs));
    progress() << "uploads..." << Qt::endl;
    const std::optional<UploadFigures> upload = measureUpload(kUploads);

    const double startupRatio = startup.program.ms / startup.bare.ms;
    const double memoryRatio = startup.program.mib / startup.bare.mib;
    // Beside the bare window, the floor that shows text, which pays for fonts as we do.
    const auto measuredAgainstFloors = [](double program, double bare, double text,
                                          const QString& unit) {
        return QStringLiteral("%1 %2 vs %3 %2 bare = %4 ×, vs %5 %2 with text = %6 ×")
            .arg(number(program, 1), unit, number(bare, 1), number(program / bare, 2),
                 number(text, 1), number(program / text, 2));
    };
    const auto row = [&out](const QString& figure, const QString& measured, const QString& target,
                            bool met) {
        out << "| " << figure << " | " << measured << " | " << target << " | " << verdict(met)
            << " |\n";
    };
    const auto playRows = [&](int speed, const PlayFigures& figures) {
        const QString name = QStringLiteral("emulator step period at speed %1 (%2 ms), ")
                                 .arg(speed)
                                 .arg(stepPeriodMs(speed));
        // Rounded first, so that a tiny negative error does not show as "-0.00".
        const double rounded = std::round(figures.meanErrorPercent * 100.0) / 100.0;
        const double error = rounded == 0.0 ? 0.0 : rounded;
        row(name + QStringLiteral("mean error"),
            (error > 0 ? QStringLiteral("+") : QString()) + number(error, 2) + QStringLiteral(" %"),
            QStringLiteral("within ±1 %"), std::abs(figures.meanErrorPercent) <= 1.0);
        row(name + QStringLiteral("99th-percentile deviation"),
            number(figures.p99DeviationMs, 2) + QStringLiteral(" ms"), QStringLiteral("≤ 5 ms"),
            figures.p99DeviationMs <= 5.0);
    };

    out << "| figure | measured | target | |\n|---|---|---|---|\n";
    row(QStringLiteral("start-up to the first painted main window, whole process (%1)")
            .arg(platform),
        measuredAgainstFloors(startup.program.ms, startup.bare.ms, startup.text.ms,
                              QStringLiteral("ms")),
        QStringLiteral("≤ 1.3 × bare"), startupRatio <= 1.3);
    row(QStringLiteral("peak resident memory of that start-up"),
        measuredAgainstFloors(startup.program.mib, startup.bare.mib, startup.text.mib,
                              QStringLiteral("MiB")),
        QStringLiteral("≤ 1.3 × bare"), memoryRatio <= 1.3);
    row(QStringLiteral("full grid redraw (`PaintSymbol`, 830 × 75)"),
        number(paint.gridMicros, 1) + QStringLiteral(" µs"), QStringLiteral("≤ 200 µs"),
        paint.gridMicros <= 200.0);
    playRows(kMaxSpeed, fast);
    playRows(230, slow);
    row(QStringLiteral("CPU time while playing at speed 250"),
        number(fast.cpuPercent, 2) + QStringLiteral(" % of a core"), QStringLiteral("< 1 %"),
        fast.cpuPercent < 1.0);
    row(QStringLiteral("CPU time while idle"),
        number(median(idle), 2) + QStringLiteral(" % of a core"), QStringLiteral("< 1 %"),
        median(idle) < 1.0);
    if (upload)
        row(QStringLiteral("upload to a pseudo-terminal, our overhead beyond the wire time "
                           "(%1 ms at 1200 baud)")
                .arg(number(kUploadWireMs, 0)),
            number(upload->medianMs, 2) + QStringLiteral(" ms"), QStringLiteral("< 20 ms"),
            upload->medianMs < 20.0);
    else
        row(QStringLiteral("upload to a pseudo-terminal"), QStringLiteral("no pseudo-terminal"),
            QStringLiteral("< 20 ms"), false);

    out << "\nMedians: start-up and memory of " << kStartupRuns
        << " alternating starts of each program; redraw of 9 rounds of 2000; emulator of "
        << kPlayRuns << " runs of " << kStepsPerRun
        << " steps (CPU over the speed-250 runs), idle of " << kPlayRuns << " × " << kIdleMs / 1000
        << " s; upload of " << kUploads << " transfers.\n";
    if (startup.failures > 0)
        out << "Start-ups that failed and are left out: " << startup.failures << ".\n";
    if (upload && (upload->failed > 0 || upload->garbled > 0))
        out << "Uploads failed: " << upload->failed << ", arrived altered: " << upload->garbled
            << ".\n";
    return 0;
}
