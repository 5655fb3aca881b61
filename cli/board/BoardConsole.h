// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

#include <cstdint>

namespace zorvikta {

// The board's terminal: message lines that scroll, and under them one lamp line that is redrawn
// in place. Colour needs a terminal that shows it; elsewhere the lamps are plain characters.
class BoardConsole {
public:
    enum class Style { Plain, Colour };

    explicit BoardConsole(Style style);
    ~BoardConsole();
    BoardConsole(const BoardConsole&) = delete;
    BoardConsole& operator=(const BoardConsole&) = delete;

    // Colour when standard output is a terminal that has it; NO_COLOR turns it off.
    static Style styleForStandardOutput();

    // A line that stays; the lamp line, if shown, moves below it.
    void printLine(const QString& text);

    // Redraws the lamp line: `status` in front of the four lamps of `stepByte`.
    void showLamps(const QString& status, std::uint8_t stepByte);

    // Leaves the terminal as it was found: colours reset, cursor shown, the shell's prompt on
    // a line of its own. Nothing more is drawn afterwards.
    void close();

private:
    void eraseLampLine();

    QTextStream m_out;
    Style m_style;
    QString m_lampLine;        // as drawn, for redrawing it under a new message line
    qsizetype m_lampWidth = 0; // its width on the screen, for blanking it out in plain style
    bool m_closed = false;
};

} // namespace zorvikta
