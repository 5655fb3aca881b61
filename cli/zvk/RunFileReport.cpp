// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/zvk/RunFileReport.h"

#include "model/StepPeriod.h"
#include "storage/RunFile.h"

#include <QFileInfo>

#include <algorithm>

namespace zorvikta {

namespace {

constexpr QChar kLit = u'#';
constexpr QChar kDark = u'.';
constexpr int kLabelWidth = 10;
constexpr std::uint8_t kLowBits = 0x0F;

bool inRange(int value, int minimum, int maximum)
{
    return value >= minimum && value <= maximum;
}

QString outOfRange(const QString& name, int value, int minimum, int maximum)
{
    return QStringLiteral("%1 %2 outside %3..%4").arg(name).arg(value).arg(minimum).arg(maximum);
}

// A header line, flagged when the value lies outside its range.
QString field(const QString& name, int value, int minimum, int maximum, const QString& extra = {})
{
    QString line = name.leftJustified(kLabelWidth) + QString::number(value) + extra;
    if (!inRange(value, minimum, maximum))
        line += QStringLiteral("  ! outside %1..%2").arg(minimum).arg(maximum);
    return line + u'\n';
}

// Step numbers count from 1: a digit at every tenth step, a colon at every fifth.
QString ruler(int steps)
{
    QString text = QStringLiteral("step").leftJustified(kLabelWidth);
    for (int number = 1; number <= steps; ++number) {
        if (number % 10 == 0)
            text += QChar(u'0' + (number / 10) % 10);
        else
            text += number % 5 == 0 ? u':' : u' ';
    }
    return text;
}

} // namespace

RunFileReport::RunFileReport(const RunFileImage& image, qint64 fileSize)
    : m_image(image), m_fileSize(fileSize)
{}

std::optional<RunFileReport> RunFileReport::read(const QString& path, QString& error)
{
    RunFileImage image{};
    if (const auto failure = readRunFile(path, image)) {
        error =
            failure->kind == FileError::Kind::TooShort ? QStringLiteral("truncated: %1 of %2 bytes")
                                                             .arg(failure->bytesFound)
                                                             .arg(kFileSize)
            : failure->reason.isEmpty() ? failure->message
                                        : failure->message + QStringLiteral(": ") + failure->reason;
        return std::nullopt;
    }
    return RunFileReport(image, QFileInfo(path).size());
}

QStringList RunFileReport::rangeProblems() const
{
    QStringList problems;
    if (!inRange(channelCount(), kMinChannels, kMaxChannels))
        problems << outOfRange(QStringLiteral("channel count"), channelCount(), kMinChannels,
                               kMaxChannels);
    if (!inRange(length(), kMinLength, kMaxLength))
        problems << outOfRange(QStringLiteral("length"), length(), kMinLength, kMaxLength);
    if (!inRange(speed(), kMinSpeed, kMaxSpeed))
        problems << outOfRange(QStringLiteral("speed"), speed(), kMinSpeed, kMaxSpeed);
    return problems;
}

QString RunFileReport::sizeProblem() const
{
    if (m_fileSize <= kFileSize)
        return {};
    return QStringLiteral("oversized: %1 bytes, a run file has %2").arg(m_fileSize).arg(kFileSize);
}

// Bytes from the length through the tail slot must all be end markers; with the length out of
// range there is no telling where they start.
QString RunFileReport::endMarkerProblem() const
{
    if (!inRange(length(), kMinLength, kMaxLength))
        return {};
    const auto first = m_image.begin() + length();
    const auto last = m_image.begin() + kTailSlot + 1;
    const auto wrong = std::find_if(first, last, [](std::uint8_t b) { return b != kEndMarker; });
    if (wrong == last)
        return {};
    const auto count = std::count_if(first, last, [](std::uint8_t b) { return b != kEndMarker; });
    return QStringLiteral("%1 of bytes %2..%3 are not end markers (0x01), the first is byte %4")
        .arg(count)
        .arg(length())
        .arg(kTailSlot)
        .arg(wrong - m_image.begin());
}

QStringList RunFileReport::problems() const
{
    QStringList problems = QStringList{sizeProblem()} + rangeProblems();
    problems << endMarkerProblem();
    problems.removeAll(QString());
    return problems;
}

// Low bits light nothing and the upload clears them: worth a note, not a failed check, since the
// program itself keeps them in the files that New and closing the window write.
QString RunFileReport::lowBitsNote() const
{
    const auto first = m_image.begin();
    const auto count = std::count_if(first, first + shownLength(length()),
                                     [](std::uint8_t b) { return (b & kLowBits) != 0; });
    if (count == 0)
        return {};
    return QStringLiteral("low bits set in %1 of steps 1..%2; the upload clears them")
        .arg(count)
        .arg(shownLength(length()));
}

QString RunFileReport::text() const
{
    QString text;
    text += field(QStringLiteral("channels"), channelCount(), kMinChannels, kMaxChannels);
    text += field(QStringLiteral("length"), length(), kMinLength, kMaxLength,
                  inRange(length(), kMinLength, kMaxLength)
                      ? QString()
                      : QStringLiteral(" (the grid shows %1 steps)").arg(shownLength(length())));
    text += field(QStringLiteral("speed"), speed(), kMinSpeed, kMaxSpeed,
                  QStringLiteral(" (%1 ms per step)").arg(stepPeriodMs(speed())));

    const int steps = shownLength(length());
    const bool countKnown = inRange(channelCount(), kMinChannels, kMaxChannels);
    text += u'\n' + ruler(steps).trimmed() + u'\n';
    for (int channel = 0; channel < kChannelSlots; ++channel) {
        QString row = QStringLiteral("channel %1").arg(channel + 1).leftJustified(kLabelWidth);
        for (int step = 0; step < steps; ++step)
            row += isLit(m_image[step], channel) ? kLit : kDark;
        if (countKnown && channel >= channelCount())
            row += QStringLiteral("  (hidden, above the channel count)");
        text += row + u'\n';
    }
    if (const QString note = lowBitsNote(); !note.isEmpty()) {
        QString row = QStringLiteral("low bits").leftJustified(kLabelWidth);
        for (int step = 0; step < steps; ++step) {
            const int low = m_image[step] & kLowBits;
            row += low == 0 ? kDark : QString::number(low, 16).at(0);
        }
        text += row + u'\n';
    }

    QStringList flags{sizeProblem(), endMarkerProblem(), lowBitsNote()};
    flags.removeAll(QString());
    if (!flags.isEmpty()) {
        text += u'\n';
        for (const QString& flag : flags)
            text += QStringLiteral("! ") + flag + u'\n';
    }
    return text;
}

} // namespace zorvikta
