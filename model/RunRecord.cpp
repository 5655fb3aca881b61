// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunRecord.h"

#include <algorithm>

namespace zorvikta {

void clearLowNibbles(RunRecord& record)
{
    std::for_each(record.begin(), record.begin() + kStepCount,
                  [](std::uint8_t& step) { step &= kLampBits; });
}

void fillEndMarkers(RunRecord& record, int length)
{
    if (length < 0 || length > kTailSlot)
        return;
    std::fill(record.begin() + length, record.begin() + kTailSlot + 1, kEndMarker);
}

void normalise(RunRecord& record, int length)
{
    clearLowNibbles(record);
    fillEndMarkers(record, length);
}

void writeHeader(RunRecord& record, const HeaderValues& values)
{
    const auto write = [&record](int index, std::optional<int> value) {
        if (value)
            record[index] = static_cast<std::uint8_t>(*value);
    };
    write(kChannelCountIndex, values.channelCount);
    write(kLengthIndex, values.length);
    write(kSpeedIndex, values.speed);
}

RunFileImage fileImage(const RunRecord& record)
{
    RunFileImage image{};
    std::copy_n(record.begin(), kFileSize, image.begin());
    return image;
}

void takeFileImage(RunRecord& record, const RunFileImage& image)
{
    std::copy(image.begin(), image.end(), record.begin());
}

} // namespace zorvikta
