// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/Relays.h"

#include "firmware/Pins.h"
#include "model/StepBytes.h"

#include <avr/io.h>

namespace zorvikta {

// Placed straight after the reset vector, before the C runtime sets up anything: the relay pins
// become outputs at their off level within the first few instructions, so no relay clicks while
// the rest starts. Only plain register writes may run here (no stack, no zero register yet).
extern "C" __attribute__((naked, used, section(".init1"))) void switchRelaysOffAtReset()
{
    PORTD = kRelaysOffLevels;
    DDRD = kRelayBits;
}

uint8_t relayLevels(uint8_t stepByte)
{
    uint8_t on = 0;
    for (int channel = 0; channel < kChannelSlots; ++channel) {
        if (isLit(stepByte, channel))
            on |= static_cast<uint8_t>(_BV(kFirstRelayBit + channel));
    }
    return kRelaysActiveHigh ? on : static_cast<uint8_t>(~on & kRelayBits);
}

void showStep(uint8_t stepByte)
{
    PORTD = static_cast<uint8_t>((PORTD & ~kRelayBits) | relayLevels(stepByte));
}

} // namespace zorvikta
