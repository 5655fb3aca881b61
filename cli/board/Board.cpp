// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/board/Board.h"

#include "model/StepPeriod.h"

#include <QTime>

namespace zorvikta {

namespace {

// A long stretch of garbage would bury the lamps; the log keeps every byte.
constexpr qsizetype kSkippedBytesShown = 16;

QString hexBytes(const QByteArray& bytes, qsizetype limit)
{
    QString text = QString::fromLatin1(bytes.first(qMin(bytes.size(), limit)).toHex(' '));
    if (bytes.size() > limit)
        text += QStringLiteral(" ...");
    return text;
}

QString describe(const DecodedMessage& message, Board::Mode mode)
{
    const bool everything = mode == Board::Mode::Log;
    switch (message.kind) {
    case DecodedMessage::Kind::Upload: {
        QString text = QStringLiteral("upload, length %1").arg(message.bytes.size());
        if (everything && !message.bytes.isEmpty())
            text += QStringLiteral(": ") + hexBytes(message.bytes, message.bytes.size());
        return text;
    }
    case DecodedMessage::Kind::Speed:
        return QStringLiteral("speed %1, %2 ms per step")
            .arg(message.speed)
            .arg(stepPeriodMs(message.speed));
    case DecodedMessage::Kind::Skipped:
        return QStringLiteral("skipped %1 %2: %3")
            .arg(message.bytes.size())
            .arg(message.bytes.size() == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"))
            .arg(hexBytes(message.bytes, everything ? message.bytes.size() : kSkippedBytesShown));
    }
    return {};
}

} // namespace

Board::Board(Mode mode, BoardConsole& console, QObject* parent)
    : QObject(parent), m_mode(mode), m_console(console)
{
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    m_stepTimer.setInterval(stepPeriodMs(m_speed));
    connect(&m_stepTimer, &QTimer::timeout, this, &Board::advance);
}

void Board::start()
{
    if (m_mode == Mode::Lamps)
        showStep();
}

void Board::receive(const QByteArray& bytes)
{
    for (const DecodedMessage& message : m_decoder.feed(bytes))
        handle(message);
}

void Board::finish()
{
    for (const DecodedMessage& message : m_decoder.finish())
        handle(message);
    m_stepTimer.stop();
}

void Board::handle(const DecodedMessage& message)
{
    m_console.printLine(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) +
                        describe(message, m_mode));
    if (m_mode == Mode::Log)
        return;

    switch (message.kind) {
    case DecodedMessage::Kind::Upload:
        m_pattern = message.bytes;
        m_step = 0;
        if (m_pattern.isEmpty())
            m_stepTimer.stop();
        else
            m_stepTimer.start();
        showStep();
        return;
    case DecodedMessage::Kind::Speed:
        m_speed = message.speed;
        // Restarts a running timer, so the new period counts from this message on.
        m_stepTimer.setInterval(stepPeriodMs(m_speed));
        showStep();
        return;
    case DecodedMessage::Kind::Skipped:
        return;
    }
}

void Board::showStep()
{
    const QString period = QStringLiteral("%1 ms").arg(stepPeriodMs(m_speed), 4);
    if (m_pattern.isEmpty()) {
        m_console.showLamps(QStringLiteral("no pattern   %1 ").arg(period), 0);
        return;
    }
    const QString status =
        QStringLiteral("step %1/%2 %3 ").arg(m_step + 1, 3).arg(m_pattern.size(), -3).arg(period);
    m_console.showLamps(status, static_cast<std::uint8_t>(m_pattern.at(m_step)));
}

void Board::advance()
{
    if (m_pattern.isEmpty())
        return;
    m_step = (m_step + 1) % m_pattern.size();
    showStep();
}

} // namespace zorvikta
