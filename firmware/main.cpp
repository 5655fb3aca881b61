// SPDX-License-Identifier: GPL-3.0-or-later
// The four-relay running-lights board: an ATmega328P at 16 MHz (Arduino Nano or Uno) that takes
// the upload and speed messages on its serial line and plays the pattern on relays at D2 to D5.
#include "firmware/Player.h"
#include "firmware/RecordStore.h"
#include "firmware/SerialLine.h"
#include "protocol/MessageReader.h"

#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <avr/wdt.h>

using namespace zorvikta;

namespace {

// A drag of the program's speed bar sends a message per position; only the speed it stops at is
// stored, once it has stood this long.
constexpr uint16_t kSpeedSettleTicks = 2 * player::kTicksPerSecond;

MessageReader reader;
// The upload under way; the pattern playing stays untouched until the upload is complete.
uint8_t incoming[kUploadStepCount];
// What plays, as the next save stores it.
uint8_t steps[kLongestPattern];
uint8_t length = 0;
uint8_t speed = kBoardStartSpeed;
bool speedUnsaved = false;
uint16_t speedChangedAt = 0;

void save()
{
    recordStore::save(steps, length, speed);
    speedUnsaved = false;
}

void take(uint8_t byte)
{
    switch (reader.take(byte)) {
    case MessageReader::Event::Held:
    case MessageReader::Event::Restart:
    case MessageReader::Event::Refused:
        return;
    case MessageReader::Event::Step:
        incoming[reader.stepIndex()] = byte;
        return;
    case MessageReader::Event::Upload:
        incoming[reader.stepIndex()] = byte;
        // In form, so the first end marker lies within the longest pattern.
        length = static_cast<uint8_t>(patternLength(incoming, kLongestPattern));
        for (uint8_t index = 0; index < length; ++index)
            steps[index] = incoming[index];
        player::blink();
        player::play(steps, length);
        save();
        return;
    case MessageReader::Event::Speed:
        player::blink();
        speed = reader.speed();
        player::setSpeed(speed);
        speedUnsaved = true;
        speedChangedAt = player::ticks();
        return;
    }
}

void saveSettledSpeed()
{
    if (speedUnsaved &&
        static_cast<uint16_t>(player::ticks() - speedChangedAt) >= kSpeedSettleTicks)
        save();
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

// After a watchdog reset the watchdog stays on at its shortest period until its flag is cleared:
// done before the C runtime starts, or the board would reset again while starting.
extern "C" __attribute__((naked, used, section(".init3"))) void stopWatchdogAtReset()
{
    MCUSR = 0;
    wdt_disable();
}

int main()
{
    // The Timer1 tick wakes the main loop every 10 ms; a loop that stops feeding the watchdog for
    // half a second is stuck, and the board restarts with the relays off.
    wdt_enable(WDTO_500MS);
    set_sleep_mode(SLEEP_MODE_IDLE);
    const bool stored = recordStore::load(steps, length, speed);
    player::start(speed);
    if (stored)
        player::play(steps, length);
    serialLine::start();
    sei();

    for (;;) {
        wdt_reset();
        uint8_t byte = 0;
        for (;;) {
            const serialLine::Received received = serialLine::read(byte);
            if (received == serialLine::Received::Nothing)
                break;
            if (received == serialLine::Received::Error)
                reader.reset();
            else
                take(byte);
        }
        saveSettledSpeed();
        sleepUntilInterrupt();
    }
}
