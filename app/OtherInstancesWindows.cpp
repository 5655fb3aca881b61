// SPDX-License-Identifier: GPL-3.0-or-later
// Windows opens every instance where its window asks to be, exactly on top of the last one; the
// other instances' windows are found among the desktop's top-level windows by their caption.
#include "app/OtherInstances.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>

#include <windows.h>

namespace zorvikta::platform {

namespace {

struct Search {
    DWORD ownProcess;
    QString captionStart;
    qreal pixelRatio;
    QList<QPoint> corners;
};

BOOL CALLBACK visit(HWND window, LPARAM data)
{
    Search& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == search.ownProcess || !::IsWindowVisible(window))
        return TRUE;
    std::array<wchar_t, 512> text{};
    const int length = ::GetWindowTextW(window, text.data(), int(text.size()));
    RECT frame{};
    if (QString::fromWCharArray(text.data(), length).startsWith(search.captionStart) &&
        ::GetWindowRect(window, &frame))
        search.corners << QPoint(qRound(frame.left / search.pixelRatio),
                                 qRound(frame.top / search.pixelRatio));
    return TRUE;
}

} // namespace

OtherInstances otherInstances(const QString& captionStart)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    Search search{::GetCurrentProcessId(),
                  captionStart,
                  screen != nullptr ? screen->devicePixelRatio() : 1.0,
                  {}};
    ::EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    // A caption and the frame beneath it, as a cascade of windows steps.
    const int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYSIZEFRAME) +
                     ::GetSystemMetrics(SM_CXPADDEDBORDER);
    return {search.corners, qRound(step / search.pixelRatio)};
}

} // namespace zorvikta::platform
