// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSerialPort>

namespace zorvikta {

// The board's line: 1200 baud, 8 data bits, no parity, one stop bit, no flow control.
inline constexpr qint32 kLineBaudRate = 1200;

// Applies the board's line settings to an open port; false when the port refuses any of them.
bool applyLineSettings(QSerialPort& port);

} // namespace zorvikta
