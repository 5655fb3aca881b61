// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdint.h>

namespace zorvikta {

// Relays 1 to 4 follow bits 7 to 4 of a step byte; its low bits switch nothing.
uint8_t relayLevels(uint8_t stepByte);

// Sets the four relay pins; the other pins of the port stay as they are. Call with interrupts
// off, or from the step interrupt, since it reads the port and writes it back.
void showStep(uint8_t stepByte);

} // namespace zorvikta
