// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PseudoTerminal.h"

#include <QDeadlineTimer>
#include <QFile>

#include <array>
#include <climits>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace zorvikta::test {

namespace {

// Short enough not to slow the suite, long enough for bytes of the same write to follow.
constexpr int kSurplusWaitMs = 50;

} // namespace

PseudoTerminal::PseudoTerminal()
{
    std::array<char, PATH_MAX> name{};
    if (::openpty(&m_master, &m_slave, name.data(), nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    m_slaveName = QFile::decodeName(name.data());
    // The master must hand over the bytes exactly as the slave's side sent them.
    termios raw{};
    ::tcgetattr(m_master, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_master, TCSANOW, &raw);
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

termios PseudoTerminal::slaveSettings() const
{
    termios settings{};
    ::tcgetattr(m_slave, &settings);
    return settings;
}

bool PseudoTerminal::setSlaveSettings(const termios& settings)
{
    return ::tcsetattr(m_slave, TCSANOW, &settings) == 0;
}

QByteArray PseudoTerminal::received(int expected, int timeoutMs)
{
    QByteArray bytes;
    if (m_master < 0)
        return bytes;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const bool enough = bytes.size() >= qMax(expected, 1);
        const int wait =
            enough ? kSurplusWaitMs : static_cast<int>(qMax<qint64>(deadline.remainingTime(), 0));
        pollfd request{m_master, POLLIN, 0};
        if (::poll(&request, 1, wait) <= 0 || (request.revents & POLLIN) == 0)
            return bytes;
        std::array<char, 512> chunk{};
        const ssize_t count = ::read(m_master, chunk.data(), chunk.size());
        if (count <= 0)
            return bytes;
        bytes.append(chunk.data(), count);
    }
}

void PseudoTerminal::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

} // namespace zorvikta::test
