// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace zorvikta {

// The board's line runs at 1200 baud.
inline constexpr qint32 kLineBaudRate = 1200;

// How long a message may take from the write to its last bit on the line, so that a dead adapter
// costs the user half a second more than a working one instead of hanging the program.
inline constexpr qint64 transferLimitMs(qsizetype byteCount)
{
    constexpr qint64 bitsPerByte = 10; // start bit, 8 data bits, stop bit
    // Room beyond the wire time for the driver and the adapter to get going.
    constexpr qint64 marginMs = 500;
    return (byteCount * bitsPerByte * 1000 + kLineBaudRate - 1) / kLineBaudRate + marginMs;
}

} // namespace zorvikta
