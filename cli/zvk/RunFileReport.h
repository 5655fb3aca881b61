// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RunRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvikta {

// What zvk finds in a run file: its header values, what is wrong with it and how it looks.
class RunFileReport {
public:
    RunFileReport(const RunFileImage& image, qint64 fileSize);

    // The file's first 128 bytes as the program reads them; `error` says why when they cannot be.
    static std::optional<RunFileReport> read(const QString& path, QString& error);

    const RunFileImage& image() const { return m_image; }
    int channelCount() const { return m_image[kChannelCountIndex]; }
    int length() const { return m_image[kLengthIndex]; }
    int speed() const { return m_image[kSpeedIndex]; }

    // Channel count, length or speed outside the ranges of the program's controls.
    QStringList rangeProblems() const;

    // Everything that keeps the file from being one the program writes: its size, the ranges,
    // and the end markers from the length through the tail slot.
    QStringList problems() const;

    // The header values, then the pattern as a grid (channels down, steps across), then every
    // byte out of range.
    QString text() const;

private:
    QString sizeProblem() const;
    QString endMarkerProblem() const;
    QString lowBitsNote() const;

    RunFileImage m_image;
    qint64 m_fileSize;
};

} // namespace zorvikta
