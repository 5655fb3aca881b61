// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SerialPortLink.h"

#include "device/SerialPortLinkSystem.h"
#include "device/TransferTime.h"

namespace zorvikta {

std::optional<LinkError> SerialPortLink::send(const QString& deviceName, const QByteArray& bytes)
{
    const auto failed = [&deviceName](LinkError::Stage stage,
                                      const serial::system::Failure& failure) {
        return LinkError{stage, failure.cause, deviceName, failure.said};
    };
    serial::system::Port port;
    if (const auto failure = port.open(deviceName))
        return failed(LinkError::Stage::Open, *failure);
    if (const auto failure = port.configure(transferLimitMs(bytes.size())))
        return failed(LinkError::Stage::Configure, *failure);

    // Closing before the driver has sent every byte cuts off the tail of the message on real
    // adapters.
    const QDeadlineTimer deadline(transferLimitMs(bytes.size()));
    std::optional<LinkError> error;
    if (const auto failure = port.write(bytes, deadline))
        error = failed(LinkError::Stage::Write, *failure);
    else if (!port.waitUntilSent(deadline))
        error = LinkError{LinkError::Stage::Write, LinkError::Cause::Other, deviceName, {}};
    if (error)
        port.discardUnsent();
    return error;
}

} // namespace zorvikta
