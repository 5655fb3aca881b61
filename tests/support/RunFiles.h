// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace zorvikta::test {

// The 128 bytes a run file holds, from a record (whose Spare byte stays behind) or a file image.
template <std::size_t N> QByteArray recordBytes(const std::array<std::uint8_t, N>& record)
{
    static_assert(N >= kFileSize);
    return QByteArray(reinterpret_cast<const char*>(record.data()), kFileSize);
}

// A 128-byte run file image with the given steps, channel count, length and speed; zeros elsewhere.
inline QByteArray runFileBytes(const QByteArray& steps, int channels, int length, int speed)
{
    QByteArray bytes(128, '\0');
    bytes.replace(0, steps.size(), steps);
    bytes[125] = static_cast<char>(channels);
    bytes[126] = static_cast<char>(length);
    bytes[127] = static_cast<char>(speed);
    return bytes;
}

// A run file as Save writes it: `steps`, then end markers through the tail slot.
inline QByteArray savedFile(const QByteArray& steps, int channels, int length, int speed)
{
    return runFileBytes(steps + QByteArray(kTailSlot + 1 - steps.size(), '\x01'), channels, length,
                        speed);
}

// A record as editing leaves it: lamps on every step, also beyond the length and in the tail
// slot, stale end markers and stray low bits inside the pattern; with `seed` 0, every bit set.
inline RunRecord untidyRecord(int seed)
{
    RunRecord record{};
    for (int i = 0; i <= kTailSlot; ++i) {
        const int lamps = ((i * 7 + seed) % 16) << 4;
        const int lowBits = (i % 3 == 1 ? 0x01 : 0) | (i % 5 == 2 ? 0x0E : 0);
        record[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(seed == 0 ? 0xFF : lamps | lowBits);
    }
    record[kTailSlot] |= 0xF0;
    return record;
}

// What the board must see for `drawn` at `length`, written down from the wire format rather than
// from the program's message code: 0xFF 0xFE, then for steps 0..117 the lamps (low nibble
// cleared) before the length and the end marker 0x01 from the length on: 120 bytes.
inline QByteArray expectedUpload(const RunRecord& drawn, int length)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (int step = 0; step < 118; ++step)
        bytes.append(step < length ? static_cast<char>(drawn[static_cast<std::size_t>(step)] & 0xF0)
                                   : '\x01');
    return bytes;
}

// Bytes written as hexadecimal digits, "fffe".
inline QByteArray hex(const char* digits)
{
    return QByteArray::fromHex(digits);
}

// An upload message as the board must see it: the header, `pattern`, then end markers through
// its 120 bytes.
inline QByteArray uploadOf(const QByteArray& pattern)
{
    const QByteArray message = QByteArray("\xFF\xFE", 2) + pattern;
    return message + QByteArray(120 - message.size(), '\x01');
}

// The speed message on the wire: 0xFF, the speed, 0xFF.
inline QByteArray expectedSpeed(int speed)
{
    return QByteArray("\xFF", 1) + static_cast<char>(speed) + QByteArray("\xFF", 1);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace zorvikta::test
