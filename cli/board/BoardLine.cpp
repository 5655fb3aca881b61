// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/board/BoardLine.h"

#include "device/LineSettings.h"

#include <QFile>
#include <QSerialPort>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zorvikta {

namespace {

constexpr qsizetype kReadChunk = 4096;

static_assert(kLineBaudRate == 1200, "the pseudo-terminal is set to B1200 below");

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Raw bytes in both directions, 1200 baud, 8 data bits, no parity, one stop bit, no flow
// control: nothing the program sends is translated or swallowed on the way.
bool setBoardLine(int descriptor)
{
    termios settings{};
    if (::tcgetattr(descriptor, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    ::cfsetispeed(&settings, B1200);
    ::cfsetospeed(&settings, B1200);
    return ::tcsetattr(descriptor, TCSANOW, &settings) == 0;
}

} // namespace

BoardLine::BoardLine(QObject* parent) : QObject(parent) {}

BoardLine::~BoardLine()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

std::optional<QString> BoardLine::openPseudoTerminal()
{
    std::array<char, PATH_MAX> name{};
    if (::openpty(&m_master, &m_slave, name.data(), nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return QStringLiteral("cannot create a pseudo-terminal: %1").arg(systemError());
    }
    m_deviceName = QFile::decodeName(name.data());
    // The slave stays open here as well: with no one else holding it, every read of the master
    // would fail between the program's transfers.
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (!setBoardLine(m_slave))
        return QStringLiteral("cannot set %1 to 1200 baud 8N1: %2")
            .arg(m_deviceName, systemError());

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &BoardLine::readMaster);
    return std::nullopt;
}

std::optional<QString> BoardLine::openDevice(const QString& deviceName)
{
    m_deviceName = deviceName;
    m_port = new QSerialPort(this);
    m_port->setPortName(deviceName);
    if (!m_port->open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open %1: %2").arg(deviceName, m_port->errorString());
    if (!applyLineSettings(*m_port))
        return QStringLiteral("cannot set %1 to 1200 baud 8N1: %2")
            .arg(deviceName, m_port->errorString());

    connect(m_port, &QSerialPort::readyRead, this,
            [this] { emit bytesArrived(m_port->readAll()); });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
            emit lineLost(QStringLiteral("%1: %2").arg(m_deviceName, m_port->errorString()));
    });
    return std::nullopt;
}

void BoardLine::readMaster()
{
    std::array<char, kReadChunk> chunk{};
    for (;;) {
        const ssize_t count = ::read(m_master, chunk.data(), chunk.size());
        if (count > 0) {
            emit bytesArrived(QByteArray(chunk.data(), count));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        m_notifier->setEnabled(false);
        emit lineLost(QStringLiteral("%1: %2").arg(
            m_deviceName, count == 0 ? QStringLiteral("the line was closed") : systemError()));
        return;
    }
}

} // namespace zorvikta
