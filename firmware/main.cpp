// SPDX-License-Identifier: GPL-3.0-or-later
// The four-relay running-lights board: an ATmega328P at 16 MHz (Arduino Nano or Uno) that takes
// the upload and speed messages on its serial line and plays the pattern on relays at D2 to D5.
#include "device/MessageReader.h"
#include "firmware/PatternStore.h"
#include "firmware/Player.h"
#include "firmware/SerialLine.h"

#include <avr/interrupt.h>
#include <avr/sleep.h>

using namespace zorvikta;

namespace {

MessageReader reader;
// The upload under way; the pattern playing stays untouched until the upload is complete.
uint8_t incoming[kUploadStepCount];

void take(uint8_t byte)
{
    switch (reader.take(byte)) {
    case MessageReader::Event::Held:
    case MessageReader::Event::Restart:
        return;
    case MessageReader::Event::Step:
        incoming[reader.stepIndex()] = byte;
        return;
    case MessageReader::Event::Upload: {
        incoming[reader.stepIndex()] = byte;
        const auto length = static_cast<uint8_t>(patternLength(incoming, kUploadStepCount));
        player::blink();
        player::play(incoming, length);
        patternStore::savePattern(incoming, length);
        return;
    }
    case MessageReader::Event::Speed:
        player::blink();
        player::setSpeed(reader.speed());
        patternStore::saveSpeed(reader.speed());
        return;
    }
}

// Idle sleep stops only the CPU: the USART and Timer1 wake it. Interrupts come back on with the
// sleep instruction itself, so a byte that arrives just before cannot be slept over.
void sleepUntilInterrupt()
{
    cli();
    if (serialLine::isIdle()) {
        sleep_enable();
        sei();
        sleep_cpu();
        sleep_disable();
    }
    sei();
}

} // namespace

int main()
{
    set_sleep_mode(SLEEP_MODE_IDLE);
    player::start(patternStore::loadSpeed());
    uint8_t length = 0;
    if (patternStore::loadPattern(incoming, length))
        player::play(incoming, length);
    serialLine::start();
    sei();

    for (;;) {
        uint8_t byte = 0;
        while (serialLine::read(byte))
            take(byte);
        sleepUntilInterrupt();
    }
}
