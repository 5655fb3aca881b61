// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/SerialLink.h"

namespace zorvikta::bench {

// A board that takes every message at once, so the emulator's timing is the window's alone.
class NullLink final : public SerialLink {
public:
    std::optional<LinkError> send(const QString&, const QByteArray&) override
    {
        return std::nullopt;
    }
};

} // namespace zorvikta::bench
