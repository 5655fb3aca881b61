// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/WireFormat.h"

#include <stdint.h>

namespace zorvikta {

// The last pattern and speed in EEPROM, so that the board plays them at power-up without a
// computer. They form one record with a magic number, a layout version, a sequence number and a
// CRC, kept in two slots: a save writes the slot not in use and commits it with its sequence
// number last, so a power cut at any moment leaves the old record or the new one. Only cells
// whose value changes are written: EEPROM cells wear out.
namespace recordStore {

// The newest valid record's pattern (at most kLongestPattern steps) and speed. False when no
// slot holds one (a fresh chip, another sketch's bytes, a record that fails its check): the
// board then starts dark at kBoardStartSpeed, as the outputs are left untouched.
bool load(uint8_t* steps, uint8_t& length, uint8_t& speed);

// Nothing is written when the newest record holds these already.
void save(const uint8_t* steps, uint8_t length, uint8_t speed);

} // namespace recordStore

} // namespace zorvikta
