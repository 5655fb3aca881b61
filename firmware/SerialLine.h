// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdint.h>

namespace zorvikta {

// The board's receiving line: USART0 at 1200 baud, 8N1, receive only. The receive interrupt
// queues each byte, so none is lost while the main loop is busy (a step change, an EEPROM write).
namespace serialLine {

void start();

// The oldest byte not yet read; false when none is waiting.
bool read(uint8_t& byte);

bool isIdle();

} // namespace serialLine

} // namespace zorvikta
