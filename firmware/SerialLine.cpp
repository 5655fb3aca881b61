// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/SerialLine.h"

#include "firmware/Pins.h"
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

// A save of a whole pattern keeps the main loop away for about 370 ms, 45 bytes at 1200 baud;
// this holds more than twice that. An entry is a byte, or kLineError.
RingBuffer<uint16_t, 128> received;
constexpr uint16_t kLineError = 0x100;

} // namespace

namespace serialLine {

void start()
{
    ZORVIKTA_RECEIVE_PORT |= kReceiveBit;
    UBRR0 = kDivider;
    UCSR0A = 0;
    UCSR0C = _BV(UCSZ01) | _BV(UCSZ00);
    UCSR0B = _BV(RXEN0) | _BV(RXCIE0);
}

Received read(uint8_t& byte)
{
    uint16_t entry = 0;
    if (!received.pop(entry))
        return Received::Nothing;
    byte = static_cast<uint8_t>(entry);
    return entry == kLineError ? Received::Error : Received::Byte;
}

bool isIdle()
{
    return received.isEmpty();
}

} // namespace serialLine

} // namespace zorvikta

// The status belongs to the byte in UDR0, so it is read first.
ISR(USART_RX_vect)
{
    const uint8_t status = UCSR0A;
    const uint8_t byte = UDR0;
    const bool broken = (status & (_BV(FE0) | _BV(DOR0))) != 0;
    zorvikta::received.push(broken ? zorvikta::kLineError : byte);
}
