// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/SerialLine.h"

#include "firmware/RingBuffer.h"

#include <avr/interrupt.h>
#include <avr/io.h>

namespace zorvikta {

namespace {

constexpr uint32_t kBaudRate = 1200;
// The divider nearest to the baud rate, in normal speed (16 clocks per bit).
constexpr uint32_t kDivider = (F_CPU + 8 * kBaudRate) / (16 * kBaudRate) - 1;
constexpr uint32_t kActualBaud = F_CPU / (16 * (kDivider + 1));
constexpr uint32_t kBaudDeviation =
    kActualBaud > kBaudRate ? kActualBaud - kBaudRate : kBaudRate - kActualBaud;
// A UART receiver tolerates about 2 %; the board keeps well inside that.
static_assert(kBaudDeviation * 200 < kBaudRate, "baud rate error must stay under 0.5 %");

// An EEPROM write of a whole pattern keeps the main loop away for about 400 ms, 48 bytes at
// 1200 baud; this holds more than twice that.
RingBuffer<128> received;

} // namespace

namespace serialLine {

void start()
{
    UBRR0 = kDivider;
    UCSR0A = 0;
    UCSR0C = _BV(UCSZ01) | _BV(UCSZ00);
    UCSR0B = _BV(RXEN0) | _BV(RXCIE0);
}

bool read(uint8_t& byte)
{
    return received.pop(byte);
}

bool isIdle()
{
    return received.isEmpty();
}

} // namespace serialLine

} // namespace zorvikta

ISR(USART_RX_vect)
{
    zorvikta::received.push(UDR0);
}
