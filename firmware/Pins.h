// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <avr/io.h>
#include <stdint.h>

namespace zorvikta {

// Relays 1 to 4 on D2 to D5 of a Nano or Uno.
constexpr uint8_t kFirstRelayBit = PD2;
constexpr uint8_t kRelayBits = _BV(PD2) | _BV(PD3) | _BV(PD4) | _BV(PD5);

// Most relay modules switch on when their input is pulled low; the build can say otherwise.
constexpr bool kRelaysActiveHigh = ZORVIKTA_RELAYS_ACTIVE_HIGH != 0;
constexpr uint8_t kRelaysOffLevels = kRelaysActiveHigh ? 0 : kRelayBits;

// The LED on D13.
constexpr uint8_t kLedBit = _BV(PB5);

} // namespace zorvikta
