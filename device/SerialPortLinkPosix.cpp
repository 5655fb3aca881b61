// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port through Qt SerialPort, with what the library leaves to the system: the limit on
// a device's name, telling a busy port from a forbidden one, and the driver's queue.
#include "device/LineSettings.h"
#include "device/Ports.h"
#include "device/SerialPortLinkSystem.h"

#include <QFile>
#include <QSerialPort>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace zorvikta {

bool applyLineSettings(QSerialPort& port)
{
    return port.setBaudRate(kLineBaudRate) && port.setDataBits(QSerialPort::Data8) &&
           port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
           port.setFlowControl(QSerialPort::NoFlowControl);
}

} // namespace zorvikta

namespace zorvikta::serial::system {

namespace {

constexpr qint64 kPollIntervalMs = 2;

bool outputDrained(int descriptor)
{
    int queued = 0;
    if (::ioctl(descriptor, TIOCOUTQ, &queued) == 0 && queued > 0)
        return false;
#ifdef TIOCSERGETLSR
    // The queue count leaves out the UART's transmitter itself; where the driver reports it, wait
    // for it too, so the last byte is on the line before the port closes.
    unsigned int lineStatus = 0;
    if (::ioctl(descriptor, TIOCSERGETLSR, &lineStatus) == 0 && (lineStatus & TIOCSER_TEMT) == 0)
        return false;
#endif
    return true;
}

// Whether the system would refuse the name as too long for a path: such a name is refused before
// the serial library builds its lock file and device paths from it.
bool deviceNameTooLong(const QString& deviceName)
{
    return QFile::encodeName(platform::serialDevicePath(deviceName)).size() >= PATH_MAX;
}

// The serial library reports a port that another program holds (its lock file, or an exclusive
// open) as a permission error, just like a device the user may not open; the device's access
// rights tell the two apart.
LinkError::Cause permissionRefusalCause(const QString& deviceName)
{
    const QByteArray path = QFile::encodeName(platform::serialDevicePath(deviceName));
    if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0)
        return LinkError::Cause::Busy;
    const LinkError::Cause cause = causeOfCode(static_cast<unsigned long>(errno));
    return cause == LinkError::Cause::Other ? LinkError::Cause::Permission : cause;
}

Failure nameTooLong()
{
    return {LinkError::Cause::NameTooLong, qt_error_string(ENAMETOOLONG)};
}

} // namespace

LinkError::Cause causeOfCode(unsigned long code)
{
    switch (code) {
    case ENOENT:
        return LinkError::Cause::NotFound;
    case EACCES:
    case EPERM:
        return LinkError::Cause::Permission;
    case EBUSY:
        return LinkError::Cause::Busy;
    case ENAMETOOLONG:
        return LinkError::Cause::NameTooLong;
    default:
        return LinkError::Cause::Other;
    }
}

struct Port::State {
    QSerialPort port;
    QString deviceName;

    Failure failure() const
    {
        switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return {LinkError::Cause::NotFound, port.errorString()};
        case QSerialPort::PermissionError: {
            const LinkError::Cause cause = permissionRefusalCause(deviceName);
            // The port blames its lock file for a name the system refuses; that would mislead.
            return cause == LinkError::Cause::NameTooLong ? nameTooLong()
                                                          : Failure{cause, port.errorString()};
        }
        default:
            return {LinkError::Cause::Other, port.errorString()};
        }
    }
};

Port::Port() : m_state(std::make_unique<State>()) {}

Port::~Port() = default;

std::optional<Failure> Port::open(const QString& deviceName)
{
    if (deviceNameTooLong(deviceName))
        return nameTooLong();
    m_state->deviceName = deviceName;
    QSerialPort& port = m_state->port;
    port.setPortName(deviceName);
    if (!port.open(QIODevice::WriteOnly))
        return m_state->failure();
    // The board's cable carries no handshake lines, and a device without modem lines (a
    // pseudo-terminal) refuses to change them: neither is a reason to give up the transfer, and
    // the refusal must not linger as the port's error.
    port.setDataTerminalReady(false);
    port.setRequestToSend(false);
    port.clearError();
    return std::nullopt;
}

std::optional<Failure> Port::configure(qint64)
{
    // A write here is bounded by the deadline the write itself waits for.
    if (!applyLineSettings(m_state->port))
        return m_state->failure();
    return std::nullopt;
}

std::optional<Failure> Port::write(const QByteArray& bytes, const QDeadlineTimer& deadline)
{
    QSerialPort& port = m_state->port;
    if (port.write(bytes) != bytes.size())
        return m_state->failure();
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return m_state->failure();
    }
    return std::nullopt;
}

bool Port::waitUntilSent(const QDeadlineTimer& deadline)
{
    // A dead adapter never drains, so this polls instead of blocking in tcdrain.
    while (!outputDrained(m_state->port.handle())) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            return false;
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min(remaining, kPollIntervalMs)));
    }
    return true;
}

void Port::discardUnsent()
{
    ::tcflush(m_state->port.handle(), TCOFLUSH);
}

} // namespace zorvikta::serial::system
