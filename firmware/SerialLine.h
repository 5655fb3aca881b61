// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdint.h>

namespace zorvikta {

// The board's receiving line: USART0 at 1200 baud, 8N1, receive only. The receive interrupt
// queues each byte, so none is lost while the main loop is busy (a step change, an EEPROM write).
namespace serialLine {

enum class Received : uint8_t {
    Nothing, // the queue is empty
    Byte,    // the next byte
    Error,   // a byte with a framing error, or bytes lost to an overrun, at this point of the line
};

void start();

// The oldest entry not yet read.
Received read(uint8_t& byte);

bool isIdle();

} // namespace serialLine

} // namespace zorvikta
