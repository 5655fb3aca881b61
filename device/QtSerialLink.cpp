// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/QtSerialLink.h"

#include "device/LineSettings.h"
#include "device/PlatformSerial.h"
#include "device/TransferTime.h"

#include <QDeadlineTimer>
#include <QSerialPort>

#include <cerrno>

namespace zorvikta {

namespace {

LinkError::Cause causeOf(const QSerialPort& port, const QString& deviceName)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return LinkError::Cause::NotFound;
    case QSerialPort::PermissionError:
        return platform::permissionRefusalCause(deviceName);
    default:
        return LinkError::Cause::Other;
    }
}

LinkError failure(LinkError::Stage stage, const QSerialPort& port, const QString& deviceName)
{
    const LinkError::Cause cause = causeOf(port, deviceName);
    // The port blames its lock file for a name the system refuses; that would mislead.
    const QString said =
        cause == LinkError::Cause::NameTooLong ? qt_error_string(ENAMETOOLONG) : port.errorString();
    return {stage, cause, deviceName, said};
}

// Hands every byte to the driver, then waits until the driver has sent them. Closing any earlier
// cuts off the tail of the message on real adapters.
std::optional<LinkError> transmit(QSerialPort& port, const QString& deviceName,
                                  const QByteArray& bytes)
{
    const QDeadlineTimer deadline(transferLimitMs(bytes.size()));
    if (port.write(bytes) != bytes.size())
        return failure(LinkError::Stage::Write, port, deviceName);
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return failure(LinkError::Stage::Write, port, deviceName);
    }
    if (!platform::waitUntilSent(port.handle(), deadline))
        return LinkError{LinkError::Stage::Write, LinkError::Cause::Other, deviceName, {}};
    return std::nullopt;
}

} // namespace

std::optional<LinkError> QtSerialLink::send(const QString& deviceName, const QByteArray& bytes)
{
    if (platform::deviceNameTooLong(deviceName))
        return LinkError{LinkError::Stage::Open, LinkError::Cause::NameTooLong, deviceName,
                         qt_error_string(ENAMETOOLONG)};
    QSerialPort port;
    port.setPortName(deviceName);
    if (!port.open(QIODevice::WriteOnly))
        return failure(LinkError::Stage::Open, port, deviceName);

    // The board's cable carries no handshake lines, and a device without modem lines (a
    // pseudo-terminal) refuses to change them: neither is a reason to give up the transfer, and
    // the refusal must not linger as the port's error.
    port.setDataTerminalReady(false);
    port.setRequestToSend(false);
    port.clearError();

    if (!applyLineSettings(port)) {
        const LinkError error = failure(LinkError::Stage::Configure, port, deviceName);
        port.close();
        return error;
    }

    if (auto error = transmit(port, deviceName, bytes)) {
        platform::discardUnsentOutput(port.handle());
        port.close();
        return error;
    }
    port.close();
    return std::nullopt;
}

} // namespace zorvikta
