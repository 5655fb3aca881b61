// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EditCommands.h"

#include <algorithm>

namespace zorvikta {

namespace {

auto stepsEnd(RunRecord& record)
{
    return record.begin() + kStepCount;
}

bool isStepIndex(std::int32_t index)
{
    return index >= 0 && index < kStepCount;
}

} // namespace

void clearAll(RunRecord& record)
{
    std::fill(record.begin(), stepsEnd(record), std::uint8_t{0x00});
}

void fillAll(RunRecord& record)
{
    std::fill(record.begin(), stepsEnd(record), kLampBits);
}

void invert(RunRecord& record)
{
    std::for_each(record.begin(), stepsEnd(record),
                  [](std::uint8_t& step) { step = static_cast<std::uint8_t>(~step); });
}

void deleteStep(RunRecord& record, std::int32_t markedStep)
{
    if (!isStepIndex(markedStep))
        return;
    std::copy(record.begin() + markedStep + 1, record.begin() + kTailSlot + 1,
              record.begin() + markedStep);
}

void insertStep(RunRecord& record, std::int32_t markedStep)
{
    if (!isStepIndex(markedStep))
        return;
    std::copy_backward(record.begin() + markedStep, record.begin() + kTailSlot,
                       record.begin() + kTailSlot + 1);
}

void reverseSteps(RunRecord& record)
{
    // A loaded file may carry any length byte; mirror the steps the window shows.
    std::reverse(record.begin(), record.begin() + shownLength(record[kLengthIndex]));
}

void swapChannels(RunRecord& record)
{
    std::for_each(record.begin(), stepsEnd(record), [](std::uint8_t& step) {
        std::uint8_t swapped = 0x00;
        for (int channel = 0; channel < kChannelSlots; ++channel)
            setLit(swapped, kChannelSlots - 1 - channel, isLit(step, channel));
        step = swapped;
    });
}

} // namespace zorvikta
