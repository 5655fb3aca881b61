// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/TransferTime.h"

#include <QSerialPort>

namespace zorvikta {

// The POSIX side of the serial link (SerialPortLinkPosix.cpp), which the virtual board listens with
// too: applies the board's line settings (1200 baud, 8 data bits, no parity, one stop bit, no flow
// control) to an open port; false when the port refuses any of them.
bool applyLineSettings(QSerialPort& port);

} // namespace zorvikta
