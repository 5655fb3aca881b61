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
