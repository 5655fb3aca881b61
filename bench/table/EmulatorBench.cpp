// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmulatorBench.h"

#include "bench/support/Statistics.h"
#include "model/StepPeriod.h"
#include "ui/MainForm/TMainForm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>

#include <cmath>
#include <vector>

#include <sys/resource.h>

namespace zorvikta::bench {

namespace {

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

EmulatorBench::EmulatorBench() : m_previousFolder(QDir::currentPath())
{
    // Start-up looks for its run file in the working folder; an empty one keeps the bench's own.
    QDir::setCurrent(m_folder.path());
    m_form = std::make_unique<TMainForm>(MainFormServices{
        m_prompts, m_link, m_folder.filePath(QStringLiteral("Zorvikta.ini")), m_ports, QString()});
    m_form->show();
}

EmulatorBench::~EmulatorBench()
{
    m_form.reset();
    QDir::setCurrent(m_previousFolder);
}

PlayRun EmulatorBench::play(int speed, int steps)
{
    m_form->findChild<QScrollBar*>(QStringLiteral("ScrollBarSpeed"))->setValue(speed);
    const auto* timer = m_form->findChild<QTimer*>(QStringLiteral("TimerRun"));
    m_form->ItemPlayClick();

    std::vector<qint64> stamps;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    const auto connection = QObject::connect(timer, &QTimer::timeout, &loop, [&] {
        stamps.push_back(clock.nsecsElapsed());
        if (stamps.size() > static_cast<std::size_t>(steps))
            loop.quit();
    });
    loop.exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QObject::disconnect(connection);
    m_form->ItemStopClick();

    const double nominal = stepPeriodMs(speed);
    std::vector<double> deviations;
    double total = 0.0;
    for (std::size_t step = 1; step < stamps.size(); ++step) {
        const double period = static_cast<double>(stamps[step] - stamps[step - 1]) / 1e6;
        total += period;
        deviations.push_back(std::abs(period - nominal));
    }
    const double mean = total / static_cast<double>(deviations.size());
    return {(mean - nominal) / nominal * 100.0, percentile(deviations, 0.99), cpu / wall * 100.0};
}

double EmulatorBench::idleCpuPercent(int milliseconds)
{
    m_form->ItemStopClick();
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return (cpuSeconds() - cpuBefore) / wall * 100.0;
}

} // namespace zorvikta::bench
