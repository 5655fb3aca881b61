// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/PatternStore.h"

#include <avr/eeprom.h>

namespace zorvikta {

namespace {

// Fixed addresses rather than EEMEM variables: the firmware's files then carry no EEPROM image
// that flashing could write over a stored pattern with. An erased cell reads 0xFF, which is
// neither a pattern length (at most 118) nor a speed (0xFF is the header byte).
uint8_t* const kSpeedCell = reinterpret_cast<uint8_t*>(0);
uint8_t* const kLengthCell = reinterpret_cast<uint8_t*>(1);
uint8_t* const kStepCells = reinterpret_cast<uint8_t*>(2);
constexpr uint8_t kErased = 0xFF;

bool storedStepsDiffer(const uint8_t* steps, uint8_t length)
{
    for (uint8_t index = 0; index < length; ++index) {
        if (eeprom_read_byte(kStepCells + index) != steps[index])
            return true;
    }
    return false;
}

} // namespace

namespace patternStore {

bool loadPattern(uint8_t* steps, uint8_t& length)
{
    length = eeprom_read_byte(kLengthCell);
    if (length > kUploadStepCount)
        return false;
    eeprom_read_block(steps, kStepCells, length);
    return true;
}

uint8_t loadSpeed()
{
    const uint8_t speed = eeprom_read_byte(kSpeedCell);
    return speed == kErased ? kBoardStartSpeed : speed;
}

void savePattern(const uint8_t* steps, uint8_t length)
{
    if (eeprom_read_byte(kLengthCell) == length && !storedStepsDiffer(steps, length))
        return;
    // Marked unused while the steps change, so that a power cut half way leaves no torn
    // pattern to play at the next start.
    eeprom_update_byte(kLengthCell, kErased);
    eeprom_update_block(steps, kStepCells, length);
    eeprom_write_byte(kLengthCell, length);
}

void saveSpeed(uint8_t speed)
{
    eeprom_update_byte(kSpeedCell, speed);
}

} // namespace patternStore

} // namespace zorvikta
