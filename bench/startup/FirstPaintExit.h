// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace zorvikta::bench {

// Watches a window for its first paint. Once that paint has gone to the screen it prints the
// moment on stdout, as nanoseconds of CLOCK_MONOTONIC, so that the process that started this one
// can set it against its own clock, and ends the event loop without closing any window.
class FirstPaintExit final : public QObject {
public:
    explicit FirstPaintExit(QObject* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject* m_window;
    bool m_seen = false;
};

} // namespace zorvikta::bench
