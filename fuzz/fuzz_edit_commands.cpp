// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-pattern commands and the presets in any order on any record. The record lives on the
// heap in an allocation of exactly its 129 bytes, so AddressSanitizer catches any step past it.
//
// Input: up to 129 bytes of the starting record, 4 bytes of random state, then commands, one byte
// each, followed by the bytes their argument needs.
#include "FuzzCheck.h"

#include "model/EditCommands.h"
#include "model/Presets.h"
#include "model/RandomDraw.h"
#include "model/RunRecord.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace zorvikta;
using zorvikta::fuzz::require;

namespace {

class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_left(size) {}

    bool atEnd() const { return m_left == 0; }

    // Copies up to `count` bytes to `target`; what the input lacks stays as it was.
    void take(std::uint8_t* target, std::size_t count)
    {
        const std::size_t taken = std::min(count, m_left);
        std::memcpy(target, m_data, taken);
        m_data += taken;
        m_left -= taken;
    }

    std::uint8_t byte()
    {
        std::uint8_t value = 0;
        take(&value, 1);
        return value;
    }

    std::int32_t int32()
    {
        std::uint32_t value = 0;
        take(reinterpret_cast<std::uint8_t*>(&value), sizeof value);
        return static_cast<std::int32_t>(value);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_left;
};

using RecordPointer = std::unique_ptr<RunRecord>;

RecordPointer copyOf(const RunRecord& record)
{
    return std::make_unique<RunRecord>(record);
}

bool sameBytes(const RunRecord& a, const RunRecord& b, int from, int to)
{
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

// Commands never write the channel count, length, speed, reserved or spare bytes.
void requireFieldsKept(const RunRecord& before, const RunRecord& after, const char* command)
{
    require(sameBytes(before, after, kReservedFirst, kRecordSize), command);
}

void invertTwice(RunRecord& record)
{
    const RecordPointer before = copyOf(record);
    invert(record);
    for (int step = 0; step < kStepCount; ++step)
        require(record[step] == static_cast<std::uint8_t>(~(*before)[step]),
                "Invert flips every bit of every step");
    requireFieldsKept(*before, record, "Invert keeps the fields");
    RecordPointer twice = copyOf(record);
    invert(*twice);
    require(*twice == *before, "Invert twice restores the record");
}

void swapTwice(RunRecord& record)
{
    RecordPointer expected = copyOf(record);
    clearLowNibbles(*expected);
    swapChannels(record);
    requireFieldsKept(*expected, record, "Swap keeps the fields");
    RecordPointer twice = copyOf(record);
    swapChannels(*twice);
    require(*twice == *expected, "Swap twice restores the lamps and clears the low nibbles");
}

// Insert then Delete at one mark gives back every step; TailSlot then holds the step that
// Insert pushed out of step 120.
void insertThenDelete(RunRecord& record, std::int32_t mark)
{
    const RecordPointer before = copyOf(record);
    insertStep(record, mark);
    requireFieldsKept(*before, record, "Insert keeps the fields");
    const bool inRange = mark >= 0 && mark < kStepCount;
    if (!inRange)
        require(record == *before, "Insert at a mark outside the steps changes nothing");
    RecordPointer undone = copyOf(record);
    deleteStep(*undone, mark);
    require(sameBytes(*undone, *before, 0, kStepCount), "Insert then Delete restores the steps");
    require((*undone)[kTailSlot] == (inRange ? (*before)[kStepCount - 1] : (*before)[kTailSlot]),
            "Insert then Delete leaves the last step in TailSlot");
}

void deleteAt(RunRecord& record, std::int32_t mark)
{
    const RecordPointer before = copyOf(record);
    deleteStep(record, mark);
    requireFieldsKept(*before, record, "Delete keeps the fields");
    require(record[kTailSlot] == (*before)[kTailSlot], "Delete keeps TailSlot");
    if (mark < 0 || mark >= kStepCount)
        require(record == *before, "Delete at a mark outside the steps changes nothing");
}

void reverseTwice(RunRecord& record)
{
    const RecordPointer before = copyOf(record);
    reverseSteps(record);
    requireFieldsKept(*before, record, "Reverse keeps the fields");
    RecordPointer twice = copyOf(record);
    reverseSteps(*twice);
    require(*twice == *before, "Reverse twice restores the record");
}

void fillWith(RunRecord& record, bool lit)
{
    const RecordPointer before = copyOf(record);
    if (lit)
        fillAll(record);
    else
        clearAll(record);
    const std::uint8_t value = lit ? kLampBits : 0x00;
    require(std::all_of(record.begin(), record.begin() + kStepCount,
                        [value](std::uint8_t step) { return step == value; }),
            "Clear and Fill set every step");
    require(sameBytes(*before, record, kStepCount, kRecordSize), "Clear and Fill stop at step 120");
}

void applyPreset(RunRecord& record, std::uint8_t choice, RandomDraw& draw)
{
    const Preset& preset = presets()[choice % presets().size()];
    const RecordPointer before = copyOf(record);
    writePresetSteps(preset, record, draw);
    // The random presets draw 102 bytes and lay their pattern up to step 103.
    constexpr int kLastTouched = 104;
    require(sameBytes(*before, record, kLastTouched, kRecordSize),
            "a preset writes steps only from step 0 on");
    if (preset.kind == PresetKind::Fixed)
        require(std::equal(preset.steps.begin(), preset.steps.end(), record.begin()),
                "a fixed preset writes its bytes");
}

void normaliseTo(RunRecord& record, std::int32_t length)
{
    const RecordPointer before = copyOf(record);
    normalise(record, length);
    require(sameBytes(*before, record, kReservedFirst, kRecordSize),
            "normalising keeps the fields");
    for (int step = 0; step < kStepCount; ++step) {
        const bool marked = length >= 0 && length <= kTailSlot && step >= length;
        require(record[step] == (marked ? kEndMarker : ((*before)[step] & kLampBits)),
                "normalising clears low nibbles and marks the end");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    const RecordPointer record = std::make_unique<RunRecord>();
    record->fill(0);
    input.take(record->data(), kRecordSize);
    RandomDraw draw;
    draw.RandomState = static_cast<std::uint32_t>(input.int32());

    while (!input.atEnd()) {
        switch (input.byte() % 10) {
        case 0:
            fillWith(*record, false);
            break;
        case 1:
            fillWith(*record, true);
            break;
        case 2:
            invertTwice(*record);
            break;
        case 3:
            swapTwice(*record);
            break;
        case 4:
            // Marks near the steps, where the interesting cases are, from one byte.
            insertThenDelete(*record, static_cast<std::int32_t>(input.byte()) - 8);
            break;
        case 5:
            deleteAt(*record, static_cast<std::int32_t>(input.byte()) - 8);
            break;
        case 6:
            insertThenDelete(*record, input.int32());
            break;
        case 7:
            reverseTwice(*record);
            break;
        case 8:
            applyPreset(*record, input.byte(), draw);
            break;
        case 9:
            normaliseTo(*record, static_cast<std::int32_t>(input.byte()) - 8);
            break;
        }
    }
    return 0;
}
