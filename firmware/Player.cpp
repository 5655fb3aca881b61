// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/Player.h"

#include "firmware/Pins.h"
#include "firmware/Relays.h"
#include "model/StepPeriod.h"

#include <avr/interrupt.h>
#include <avr/io.h>
#include <util/atomic.h>

namespace zorvikta {

namespace {

constexpr uint16_t kTickMs = 10;
constexpr uint32_t kTimerPrescaler = 64;
constexpr uint32_t kTimerCounts = F_CPU / kTimerPrescaler / 1000 * kTickMs;
static_assert(F_CPU % (kTimerPrescaler * 1000 / kTickMs) == 0, "the tick must be exact");
static_assert(kTimerCounts <= 0x10000, "Timer1 counts to 65535");

// Off again within 10 to 20 ms: gone before the next message can end (a speed message alone
// takes 25 ms on the line), so every message makes a blink of its own.
constexpr uint8_t kBlinkTicks = 2;

// Written by the main loop with the tick interrupt off, read by the tick interrupt.
uint8_t pattern[kLongestPattern];
uint8_t patternLength = 0;
uint8_t step = 0;
uint8_t ticksLeft = 0;
volatile uint8_t speed = kBoardStartSpeed;
volatile uint8_t blinkTicksLeft = 0;
volatile uint16_t tickCount = 0;

uint8_t ticksPerStep(uint8_t stepSpeed)
{
    const uint16_t ticks = static_cast<uint16_t>(stepPeriodMs(stepSpeed)) / kTickMs;
    return ticks == 0 ? 1 : static_cast<uint8_t>(ticks);
}

} // namespace

namespace player {

void start(uint8_t initialSpeed)
{
    speed = initialSpeed;
    ZORVIKTA_LED_DDR |= kLedBit;
    OCR1A = kTimerCounts - 1;
    TCCR1A = 0;
    TCCR1B = _BV(WGM12) | _BV(CS11) | _BV(CS10); // clear on compare match, clock / 64
    TIMSK1 = _BV(OCIE1A);
}

void play(const uint8_t* steps, uint8_t length)
{
    ATOMIC_BLOCK(ATOMIC_RESTORESTATE)
    {
        for (uint8_t index = 0; index < length; ++index)
            pattern[index] = steps[index];
        patternLength = length;
        step = 0;
        ticksLeft = ticksPerStep(speed);
        // The first step gets its whole period: the tick starts counting afresh.
        TCNT1 = 0;
        TIFR1 = _BV(OCF1A);
        showStep(length == 0 ? 0 : pattern[0]);
    }
}

void setSpeed(uint8_t newSpeed)
{
    speed = newSpeed;
}

void blink()
{
    ZORVIKTA_LED_PORT |= kLedBit;
    blinkTicksLeft = kBlinkTicks;
}

uint16_t ticks()
{
    ATOMIC_BLOCK(ATOMIC_RESTORESTATE)
    {
        return tickCount;
    }
    return 0;
}

} // namespace player

namespace {

void tick()
{
    ++tickCount;
    if (blinkTicksLeft != 0 && --blinkTicksLeft == 0)
        ZORVIKTA_LED_PORT &= static_cast<uint8_t>(~kLedBit);
    if (patternLength == 0 || --ticksLeft != 0)
        return;
    step = static_cast<uint8_t>(step + 1 == patternLength ? 0 : step + 1);
    showStep(pattern[step]);
    ticksLeft = ticksPerStep(speed);
}

} // namespace

} // namespace zorvikta

ISR(TIMER1_COMPA_vect)
{
    zorvikta::tick();
}
