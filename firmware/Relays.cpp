// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/Relays.h"

#include "firmware/Pins.h"
#include "model/StepBytes.h"

#include <avr/io.h>

namespace zorvikta {

// Placed straight after the reset vector, before the C runtime sets up anything: the relay pins
// become outputs at their off level within the first few instructions, so no relay clicks while
// the rest starts. Written in assembly because the compiler's code may take r1 for zero, which
// it is not yet after a reset; the levels go out before the pins become outputs.
extern "C" __attribute__((naked, used, section(".init1"))) void switchRelaysOffAtReset()
{
    __asm__ volatile(
        "ldi r24, %[levels]\n\t"
        "out %[port], r24\n\t"
        "ldi r24, %[pins]\n\t"
        "out %[directions], r24"
        :
        : [levels] "M"(kRelaysOffLevels), [port] "I"(_SFR_IO_ADDR(ZORVIKTA_RELAY_PORT)),
          [pins] "M"(kRelayBits), [directions] "I"(_SFR_IO_ADDR(ZORVIKTA_RELAY_DDR))
        : "r24");
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
    ZORVIKTA_RELAY_PORT =
        static_cast<uint8_t>((ZORVIKTA_RELAY_PORT & ~kRelayBits) | relayLevels(stepByte));
}

} // namespace zorvikta
