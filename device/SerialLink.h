// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LinkError.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvikta {

// One transfer to the board: the port is held only for the duration of a single message.
class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens `deviceName`, configures it, writes all of `bytes`, waits until they have left the
    // driver's queue, closes. Returns nullopt on success.
    virtual std::optional<LinkError> send(const QString& deviceName, const QByteArray& bytes) = 0;
};

} // namespace zorvikta
