// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>

namespace zorvikta {

// One thing the board makes of the bytes on its line.
struct DecodedMessage {
    enum class Kind {
        Upload,  // `bytes`: the pattern, the step bytes before the first end marker
        Speed,   // `speed`: the byte between the two header bytes
        Skipped, // `bytes`: what could not be decoded and was dropped before the next header byte
    };

    Kind kind = Kind::Skipped;
    QByteArray bytes;
    std::uint8_t speed = 0;

    friend bool operator==(const DecodedMessage&, const DecodedMessage&) = default;
};

} // namespace zorvikta
