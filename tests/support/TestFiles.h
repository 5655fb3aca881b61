// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/RunFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>

namespace zorvikta::test {

// The same bytes for the same seed, so that a failure can be repeated.
inline QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

// A line far longer than any a settings file of ours holds.
inline const QByteArray kHugeLine(100 * 1024, 'x');

// Every entry, hidden ones included: a leftover temporary file shows up here.
inline QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

inline QByteArray patternBytes(qsizetype size, int seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 37 + seed * 101 + 11) & 0xFF);
    }
    return bytes;
}

} // namespace zorvikta::test
