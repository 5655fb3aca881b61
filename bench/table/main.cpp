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

struct StartupFigures {
    double programMs = 0;
    double bareMs = 0;
    double programMiB = 0;
    double bareMiB = 0;
    int failures = 0;
};

// Alternates the two programs, after one start of each that only warms the caches.
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
    const QString program = QStringLiteral(ZORVIKTA_BENCH_STARTUP_PROGRAM);
    const QString bare = QStringLiteral(ZORVIKTA_BENCH_STARTUP_BARE);
    runToFirstPaint(program, folder.path());
    runToFirstPaint(bare, folder.path());

    std::vector<double> programMs, bareMs, programMiB, bareMiB;
    StartupFigures figures;
    for (int run = 0; run < kStartupRuns; ++run) {
        if (const auto measured = runToFirstPaint(program, folder.path())) {
            programMs.push_back(measured->milliseconds);
            programMiB.push_back(measured->peakResidentMiB);
        } else {
            ++figures.failures;
        }
        if (const auto measured = runToFirstPaint(bare, folder.path())) {
            bareMs.push_back(measured->milliseconds);
            bareMiB.push_back(measured->peakResidentMiB);
        } else {
            ++figures.failures;
        }
    }
    figures.programMs = median(programMs);
    figures.bareMs = median(bareMs);
    figures.programMiB = median(programMiB);
    figures.bareMiB = median(bareMiB);
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

    const double startupRatio = startup.programMs / startup.bareMs;
    const double memoryRatio = startup.programMiB / startup.bareMiB;
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
        QStringLiteral("%1 ms vs %2 ms bare = %3 ×")
            .arg(number(startup.programMs, 1), number(startup.bareMs, 1), number(startupRatio, 2)),
        QStringLiteral("≤ 1.3 × bare"), startupRatio <= 1.3);
    row(QStringLiteral("peak resident memory of that start-up"),
        QStringLiteral("%1 MiB vs %2 MiB bare = %3 ×")
            .arg(number(startup.programMiB, 1), number(startup.bareMiB, 1), number(memoryRatio, 2)),
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
