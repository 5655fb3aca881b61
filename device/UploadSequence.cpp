// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UploadSequence.h"

#include "device/Messages.h"

namespace zorvikta {

UploadSequence uploadSequence(const RunRecord& record, int length, bool withSpeed)
{
    UploadSequence sequence{record, {}, std::nullopt};
    normalise(sequence.normalised, length);
    sequence.upload = uploadMessage(sequence.normalised);
    // Normalising never touches the speed byte, so it goes out as the record holds it.
    if (withSpeed)
        sequence.speed = speedMessage(sequence.normalised[kSpeedIndex]);
    return sequence;
}

} // namespace zorvikta
