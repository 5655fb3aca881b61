// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/board/BoardConsole.h"
#include "cli/board/DecodedMessage.h"
#include "cli/board/MessageDecoder.h"
#include "protocol/WireFormat.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

namespace zorvikta {

// What the board does with the bytes on its line: decodes them, reports each message, and plays
// the latest pattern at the latest speed on the four lamps.
class Board : public QObject {
    Q_OBJECT

public:
    enum class Mode {
        Lamps, // message lines above a lamp line that plays the pattern
        Log,   // one line per decoded message, with the steps; nothing is played
    };

    // Before its first speed message the board runs at the program's opening speed.
    static constexpr int kStartSpeed = kBoardStartSpeed;

    Board(Mode mode, BoardConsole& console, QObject* parent = nullptr);

    // Draws the dark lamps that wait for the first pattern.
    void start();

    void receive(const QByteArray& bytes);

    // Reports whatever was under way as skipped, then stops playing.
    void finish();

private:
    void handle(const DecodedMessage& message);
    void showStep();
    void advance();

    Mode m_mode;
    BoardConsole& m_console;
    MessageDecoder m_decoder;
    QTimer m_stepTimer;
    QByteArray m_pattern;
    int m_step = 0;
    int m_speed = kStartSpeed;
};

} // namespace zorvikta
