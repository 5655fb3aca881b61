// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a step byte means. Freestanding (no standard library beyond <stdint.h>, C++14 at most), so
// that the board's firmware reads step bytes with these very definitions.
#include <stdint.h>

namespace zorvikta {

constexpr int kChannelSlots = 4;
constexpr uint8_t kLampBits = 0xF0;
constexpr uint8_t kEndMarker = 0x01;

// Bit of channel `channel` (0 = channel 1, the most significant bit) in a step byte.
constexpr uint8_t channelMask(int channel)
{
    return static_cast<uint8_t>(0x80u >> channel);
}

constexpr bool isLit(uint8_t stepByte, int channel)
{
    return (stepByte & channelMask(channel)) != 0;
}

// Switches one lamp of a step byte; the other lamps and the low nibble stay.
constexpr void setLit(uint8_t& stepByte, int channel, bool lit)
{
    stepByte = lit ? static_cast<uint8_t>(stepByte | channelMask(channel))
                   : static_cast<uint8_t>(stepByte & ~channelMask(channel));
}

} // namespace zorvikta
