// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <avr/io.h>
#include <stdint.h>

// Each pin by its port and its bit. The ports are the register names of <avr/io.h>, so that the
// start-up code can take their addresses as constants.

// Relays 1 to 4 on D2 to D5 of a Nano or Uno: port D, bits 2 to 5.
#define ZORVIKTA_RELAY_PORT PORTD
#define ZORVIKTA_RELAY_DDR DDRD
// The LED on D13: port B, bit 5.
#define ZORVIKTA_LED_PORT PORTB
#define ZORVIKTA_LED_DDR DDRB
// The USART's receive pin, D0: port D, bit 0.
#define ZORVIKTA_RECEIVE_PORT PORTD

namespace zorvikta {

constexpr uint8_t kFirstRelayBit = PD2;
constexpr uint8_t kRelayBits = _BV(PD2) | _BV(PD3) | _BV(PD4) | _BV(PD5);

// Most relay modules switch on when their input is pulled low; the build can say otherwise.
constexpr bool kRelaysActiveHigh = ZORVIKTA_RELAYS_ACTIVE_HIGH != 0;
constexpr uint8_t kRelaysOffLevels = kRelaysActiveHigh ? 0 : kRelayBits;

constexpr uint8_t kLedBit = _BV(PB5);

// A line left open (the adapter pulled out, a bare chip's wire loose) reads high, as an idle
// line does, instead of picking up noise.
constexpr uint8_t kReceiveBit = _BV(PD0);

} // namespace zorvikta
