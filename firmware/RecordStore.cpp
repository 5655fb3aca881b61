// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/RecordStore.h"

#include <avr/eeprom.h>
#include <avr/wdt.h>
#include <util/crc16.h>

namespace zorvikta {

namespace {

// A slot, at fixed addresses rather than EEMEM variables: the firmware's files then carry no
// EEPROM image that flashing could write over a stored pattern with.
constexpr uint8_t kMagic[2] = {0x5A, 0x4B};
constexpr uint8_t kLayoutVersion = 1;
constexpr uint16_t kMagicAt = 0;
constexpr uint16_t kVersionAt = 2;
constexpr uint16_t kSpeedAt = 3;
constexpr uint16_t kLengthAt = 4;
constexpr uint16_t kStepsAt = 5;
constexpr uint16_t kCrcAt = kStepsAt + kLongestPattern;
// Outside the CRC: it is written last, and a slot counts only once it is newer than the other.
constexpr uint16_t kSequenceAt = kCrcAt + 2;
constexpr uint16_t kSlotSize = kSequenceAt + 1;
constexpr uint8_t kSlotCount = 2;
constexpr uint8_t kNoSlot = 0xFF;

uint8_t currentSlot = kNoSlot;
uint8_t currentSequence = 0;

uint8_t* cell(uint8_t slot, uint16_t offset)
{
    return reinterpret_cast<uint8_t*>(slot * kSlotSize + offset);
}

uint8_t readCell(uint8_t slot, uint16_t offset)
{
    return eeprom_read_byte(cell(slot, offset));
}

// Each write keeps the main loop about 3.4 ms; the watchdog hears from it between them.
void writeCell(uint8_t slot, uint16_t offset, uint8_t value)
{
    if (readCell(slot, offset) == value)
        return;
    wdt_reset();
    eeprom_write_byte(cell(slot, offset), value);
}

// Over the version, speed, length and steps, as they stand in the slot.
uint16_t storedCrc(uint8_t slot, uint8_t length)
{
    uint16_t crc = 0xFFFF;
    for (uint16_t offset = kVersionAt; offset < kStepsAt + length; ++offset)
        crc = _crc16_update(crc, readCell(slot, offset));
    return crc;
}

uint16_t crcOf(const uint8_t* steps, uint8_t length, uint8_t speed)
{
    uint16_t crc = 0xFFFF;
    crc = _crc16_update(crc, kLayoutVersion);
    crc = _crc16_update(crc, speed);
    crc = _crc16_update(crc, length);
    for (uint8_t index = 0; index < length; ++index)
        crc = _crc16_update(crc, steps[index]);
    return crc;
}

bool isValid(uint8_t slot)
{
    const uint8_t length = readCell(slot, kLengthAt);
    return readCell(slot, kMagicAt) == kMagic[0] && readCell(slot, kMagicAt + 1) == kMagic[1] &&
           readCell(slot, kVersionAt) == kLayoutVersion && length <= kLongestPattern &&
           storedCrc(slot, length) ==
               (readCell(slot, kCrcAt) | uint16_t(readCell(slot, kCrcAt + 1) << 8));
}

// Sequence numbers wrap; of two slots the newer is the one at most half the range ahead.
bool isNewer(uint8_t sequence, uint8_t than)
{
    const auto ahead = static_cast<uint8_t>(sequence - than);
    return ahead != 0 && ahead < 0x80;
}

bool holds(uint8_t slot, const uint8_t* steps, uint8_t length, uint8_t speed)
{
    if (readCell(slot, kSpeedAt) != speed || readCell(slot, kLengthAt) != length)
        return false;
    for (uint8_t index = 0; index < length; ++index) {
        if (readCell(slot, kStepsAt + index) != steps[index])
            return false;
    }
    return true;
}

} // namespace

namespace recordStore {

bool load(uint8_t* steps, uint8_t& length, uint8_t& speed)
{
    currentSlot = kNoSlot;
    for (uint8_t slot = 0; slot < kSlotCount; ++slot) {
        if (!isValid(slot))
            continue;
        const uint8_t sequence = readCell(slot, kSequenceAt);
        if (currentSlot == kNoSlot || isNewer(sequence, currentSequence)) {
            currentSlot = slot;
            currentSequence = sequence;
        }
    }
    if (currentSlot == kNoSlot)
        return false;
    length = readCell(currentSlot, kLengthAt);
    eeprom_read_block(steps, cell(currentSlot, kStepsAt), length);
    const uint8_t stored = readCell(currentSlot, kSpeedAt);
    speed = isSpeedInRange(stored) ? stored : kBoardStartSpeed;
    return true;
}

void save(const uint8_t* steps, uint8_t length, uint8_t speed)
{
    if (currentSlot != kNoSlot && holds(currentSlot, steps, length, speed))
        return;
    const uint8_t target = currentSlot == 0 ? 1 : 0;
    const auto sequence = static_cast<uint8_t>(currentSequence + 1);
    // Older than the record in use until the very last write, whatever the slot held before.
    if (currentSlot != kNoSlot)
        writeCell(target, kSequenceAt, static_cast<uint8_t>(currentSequence - 1));
    writeCell(target, kMagicAt, kMagic[0]);
    writeCell(target, kMagicAt + 1, kMagic[1]);
    writeCell(target, kVersionAt, kLayoutVersion);
    writeCell(target, kSpeedAt, speed);
    writeCell(target, kLengthAt, length);
    for (uint8_t index = 0; index < length; ++index)
        writeCell(target, kStepsAt + index, steps[index]);
    const uint16_t crc = crcOf(steps, length, speed);
    writeCell(target, kCrcAt, static_cast<uint8_t>(crc));
    writeCell(target, kCrcAt + 1, static_cast<uint8_t>(crc >> 8));
    writeCell(target, kSequenceAt, sequence);
    currentSlot = target;
    currentSequence = sequence;
}

} // namespace recordStore

} // namespace zorvikta
