// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows stop signals: Ctrl+C and Ctrl+Break in the console. The system calls the handler on
// a thread of its own, so the handler only queues the stop for the event loop.
#include "platform/StopSignals.h"

#include <QAtomicPointer>
#include <QMetaObject>
#include <QString>

#include <csignal>

#include <windows.h>

namespace zorvikta {

namespace {

// The one thing the handler may reach: the object to tell, set before the handler is installed.
QAtomicPointer<StopSignals> g_receiver;

// Reported as the signal numbers that the same keys raise on the other systems.
int signalNumberFor(DWORD event)
{
    return event == CTRL_BREAK_EVENT ? SIGBREAK : SIGINT;
}

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    StopSignals* receiver = g_receiver.loadAcquire();
    if (receiver == nullptr)
        return FALSE;
    const int signalNumber = signalNumberFor(event);
    QMetaObject::invokeMethod(
        receiver, [receiver, signalNumber] { emit receiver->stopRequested(signalNumber); },
        Qt::QueuedConnection);
    return TRUE;
}

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(what),
                                        qt_error_string(static_cast<int>(::GetLastError())));
}

} // namespace

class StopSignals::Private {
public:
    explicit Private(StopSignals& owner) : m_owner(owner) {}
    Private(const Private&) = delete;
    Private& operator=(const Private&) = delete;

    ~Private()
    {
        if (g_receiver.testAndSetOrdered(&m_owner, nullptr))
            ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    }

    std::optional<QString> install()
    {
        g_receiver.storeRelease(&m_owner);
        if (!::SetConsoleCtrlHandler(onConsoleEvent, TRUE)) {
            g_receiver.storeRelease(nullptr);
            return systemError("cannot install the console handler");
        }
        return std::nullopt;
    }

private:
    StopSignals& m_owner;
};

StopSignals::StopSignals(QObject* parent)
    : QObject(parent), m_private(std::make_unique<Private>(*this))
{}

StopSignals::~StopSignals() = default;

std::optional<QString> StopSignals::install()
{
    return m_private->install();
}

} // namespace zorvikta
