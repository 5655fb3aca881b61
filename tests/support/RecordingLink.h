// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LinkError.h"
#include "device/SerialLink.h"

#include <QList>

namespace zorvikta::test {

// Stands in for the port where a test is about the window, not the wire.
class RecordingLink final : public SerialLink {
public:
    struct Transfer {
        QString device;
        QByteArray bytes;
    };
    QList<Transfer> transfers;
    std::optional<LinkError> failure;

    std::optional<LinkError> send(const QString& deviceName, const QByteArray& bytes) override
    {
        if (failure)
            return failure;
        transfers.append({deviceName, bytes});
        return std::nullopt;
    }
};

} // namespace zorvikta::test
