// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"

#include <QByteArray>

#include <cstdint>

namespace zorvikta::test {

// Bytes from..to-1 of a record as upper-case hex separated by spaces, so that a failed comparison
// shows which step differs.
inline QByteArray hexBytes(const RunRecord& record, int from, int to)
{
    const QByteArray bytes(reinterpret_cast<const char*>(record.data()) + from, to - from);
    return bytes.toHex(' ').toUpper();
}

inline QByteArray rawBytes(const RunRecord& record, int from, int to)
{
    return QByteArray(reinterpret_cast<const char*>(record.data()) + from, to - from);
}

inline RunRecord filledRecord(std::uint8_t value)
{
    RunRecord record;
    record.fill(value);
    return record;
}

// Every byte different from its neighbours, low nibbles included, with plausible fields:
// 3 channels, length 8, speed 200 and recognisable Reserved, TailSlot and Spare bytes.
inline RunRecord distinctRecord()
{
    RunRecord record;
    for (int i = 0; i < kRecordSize; ++i)
        record[i] = static_cast<std::uint8_t>(i * 37 + 11);
    record[kTailSlot] = 0x3C;
    record[kReservedFirst] = 0xAA;
    record[kReservedFirst + 1] = 0xBB;
    record[kReservedFirst + 2] = 0xCC;
    record[kChannelCountIndex] = 3;
    record[kLengthIndex] = 8;
    record[kSpeedIndex] = 200;
    record[kSpareIndex] = 0x5A;
    return record;
}

} // namespace zorvikta::test
