// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/WireFormat.h"

#include <stdint.h>

namespace zorvikta {

// The last pattern and speed in EEPROM, so that the board plays them at power-up without a
// computer. A byte is written only when its value changes: EEPROM cells wear out.
namespace patternStore {

// False when no upload was ever stored; the relays then stay dark.
bool loadPattern(uint8_t* steps, uint8_t& length);

// The speed last stored, or the start speed when none was.
uint8_t loadSpeed();

void savePattern(const uint8_t* steps, uint8_t length);
void saveSpeed(uint8_t speed);

} // namespace patternStore

} // namespace zorvikta
