// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolTipLines.h"

#include "ui/ProgramFont.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <algorithm>

namespace zorvikta {

namespace {

bool breaksAfter(QChar character)
{
    return character == u' ' || character == u'/' || character == u'-' || character == u'_';
}

// How many characters of `line` the first line takes: as many as fit, back to the last break
// among them (one that leaves more than a lone character, such as the slash that begins a
// path), never fewer than one character and never half of a surrogate pair.
qsizetype firstLineLength(const QString& line, const QFontMetrics& metrics, int limit)
{
    qsizetype fits = 1;
    while (fits < line.size() && metrics.horizontalAdvance(line.left(fits + 1)) <= limit)
        ++fits;
    if (fits < line.size() && line.at(fits).isLowSurrogate() && fits > 1)
        --fits;
    for (qsizetype length = fits; length > 1; --length)
        if (breaksAfter(line.at(length - 1)))
            return length;
    return fits;
}

} // namespace

QString toolTipLines(const QString& text, const QScreen* screen)
{
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return text;
    const QFontMetrics metrics(programFont());
    const int limit =
        std::max(2 * screen->availableGeometry().width() / 3, 10 * metrics.averageCharWidth());
    QStringList lines;
    for (QString rest : text.split(u'\n')) {
        while (metrics.horizontalAdvance(rest) > limit) {
            const qsizetype length = firstLineLength(rest, metrics, limit);
            // The space a line breaks at ends it, unseen, rather than starting the next one.
            lines << rest.left(length).trimmed();
            rest = rest.mid(length).trimmed();
        }
        lines << rest;
    }
    return lines.join(u'\n');
}

} // namespace zorvikta
