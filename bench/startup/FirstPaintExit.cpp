// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPaintExit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace zorvikta::bench {

FirstPaintExit::FirstPaintExit(QObject* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        // Queued, so it runs once this paint and the flush of the window that follows are done.
        QTimer::singleShot(0, [] {
            timespec now{};
            ::clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    return false;
}

} // namespace zorvikta::bench
