// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX stop signals: the handler only writes the signal number into a pipe, which the event
// loop reads.
#include "platform/StopSignals.h"

#include <QSocketNotifier>
#include <QString>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace zorvikta {

namespace {

// SIGHUP comes when the terminal that started the program closes: the user is gone, as with
// SIGTERM.
constexpr std::array kStopSignals{SIGINT, SIGTERM, SIGHUP};

// The one thing a signal handler may reach: the pipe's write end, set before any handler runs.
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void onStopSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    errno = savedErrno;
}

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

class StopSignals::Private {
public:
    explicit Private(StopSignals& owner) : m_owner(owner) {}
    Private(const Private&) = delete;
    Private& operator=(const Private&) = delete;

    ~Private()
    {
        if (m_writeEnd < 0)
            return;
        for (const int signalNumber : kStopSignals)
            std::signal(signalNumber, SIG_DFL);
        g_writeEnd = -1;
        m_notifier.reset();
        ::close(m_readEnd);
        ::close(m_writeEnd);
    }

    std::optional<QString> install()
    {
        std::array<int, 2> ends{};
        if (::pipe2(ends.data(), O_NONBLOCK | O_CLOEXEC) != 0)
            return systemError("cannot create the signal pipe");
        m_readEnd = ends[0];
        m_writeEnd = ends[1];
        g_writeEnd = m_writeEnd;

        m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, &m_owner,
                         [this] { readPipe(); });

        struct sigaction action {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signalNumber : kStopSignals) {
            if (::sigaction(signalNumber, &action, nullptr) != 0)
                return systemError("cannot install the signal handlers");
        }
        return std::nullopt;
    }

private:
    void readPipe()
    {
        unsigned char byte = 0;
        while (::read(m_readEnd, &byte, 1) == 1)
            emit m_owner.stopRequested(byte);
    }

    StopSignals& m_owner;
    int m_readEnd = -1;
    int m_writeEnd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
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
