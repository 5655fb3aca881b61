// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PlatformSerial.h"
#include "device/Ports.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace zorvikta::platform {

namespace {

constexpr qint64 kPollIntervalMs = 2;

// A driver that cannot report its queue is taken as drained: there is nothing left to wait for.
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

} // namespace

QString serialDevicePath(const QString& deviceName)
{
    if (deviceName.startsWith(u'/') || deviceName.startsWith(u"./") ||
        deviceName.startsWith(u"../"))
        return deviceName;
    return QStringLiteral("/dev/") + deviceName;
}

bool deviceNameTooLong(const QString& deviceName)
{
    return QFile::encodeName(serialDevicePath(deviceName)).size() >= PATH_MAX;
}

LinkError::Cause permissionRefusalCause(const QString& deviceName)
{
    const QByteArray path = QFile::encodeName(serialDevicePath(deviceName));
    if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0)
        return LinkError::Cause::Busy;
    switch (errno) {
    case ENOENT:
        return LinkError::Cause::NotFound;
    case ENAMETOOLONG:
        return LinkError::Cause::NameTooLong;
    default:
        return LinkError::Cause::Permission;
    }
}

bool waitUntilSent(PortHandle handle, const QDeadlineTimer& deadline)
{
    while (!outputDrained(handle)) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            return false;
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min(remaining, kPollIntervalMs)));
    }
    return true;
}

void discardUnsentOutput(PortHandle handle)
{
    ::tcflush(handle, TCOFLUSH);
}

} // namespace zorvikta::platform

namespace zorvikta {

std::optional<PortDevices> defaultPortDevices()
{
    // Serial devices have no fixed names here (ttyS0, ttyUSB0, ttyACM0...), so the user names them.
    return PortDevices{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
}

} // namespace zorvikta
