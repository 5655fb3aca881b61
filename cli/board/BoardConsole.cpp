// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/board/BoardConsole.h"

#include "model/RunRecord.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace zorvikta {

namespace {

// Lit lamps black on bright yellow, dark ones grey, as near as a terminal gets to the strip.
const QString kLitColour = QStringLiteral("\x1b[30;103m");
const QString kDarkColour = QStringLiteral("\x1b[37;100m");
const QString kResetColour = QStringLiteral("\x1b[0m");
const QString kEraseLine = QStringLiteral("\r\x1b[K");
const QString kHideCursor = QStringLiteral("\x1b[?25l");
const QString kShowCursor = QStringLiteral("\x1b[?25h");

QString lamps(std::uint8_t stepByte, BoardConsole::Style style)
{
    QString text;
    for (int channel = 0; channel < kChannelSlots; ++channel) {
        const bool lit = isLit(stepByte, channel);
        if (style == BoardConsole::Style::Colour)
            text += QStringLiteral(" %1 %2 %3")
                        .arg(lit ? kLitColour : kDarkColour)
                        .arg(channel + 1)
                        .arg(kResetColour);
        else
            text += lit ? QStringLiteral(" [#]") : QStringLiteral(" [ ]");
    }
    return text;
}

} // namespace

BoardConsole::BoardConsole(Style style) : m_out(stdout), m_style(style)
{
    if (m_style == Style::Colour) {
        m_out << kHideCursor;
        m_out.flush();
    }
}

BoardConsole::~BoardConsole()
{
    close();
}

BoardConsole::Style BoardConsole::styleForStandardOutput()
{
    const char* term = std::getenv("TERM");
    const bool colourTerminal = ::isatty(STDOUT_FILENO) == 1 && term != nullptr && *term != '\0' &&
                                std::strcmp(term, "dumb") != 0;
    return colourTerminal && std::getenv("NO_COLOR") == nullptr ? Style::Colour : Style::Plain;
}

void BoardConsole::eraseLampLine()
{
    if (m_lampLine.isEmpty())
        return;
    if (m_style == Style::Colour)
        m_out << kEraseLine;
    else
        m_out << u'\r' << QString(m_lampWidth, u' ') << u'\r';
}

void BoardConsole::printLine(const QString& text)
{
    if (m_closed)
        return;
    eraseLampLine();
    m_out << text << u'\n' << m_lampLine;
    m_out.flush();
}

void BoardConsole::showLamps(const QString& status, std::uint8_t stepByte)
{
    if (m_closed)
        return;
    eraseLampLine();
    m_lampLine = status + lamps(stepByte, m_style);
    m_lampWidth = status.size() + lamps(stepByte, Style::Plain).size();
    m_out << m_lampLine;
    m_out.flush();
}

void BoardConsole::close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (!m_lampLine.isEmpty())
        m_out << u'\n';
    if (m_style == Style::Colour)
        m_out << kResetColour << kShowCursor;
    m_out.flush();
}

} // namespace zorvikta
