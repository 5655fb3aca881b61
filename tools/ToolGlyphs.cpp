// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolGlyphs.h"

#include "ArtFont.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace zorvikta::tools {

namespace {

const QColor outline(0x20, 0x20, 0x20);
const QColor navy(0x00, 0x00, 0x80);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor paleGreen(0xC0, 0xDC, 0xC0);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor silver(0xC0, 0xC0, 0xC0);
const QColor grey(0x80, 0x80, 0x80);
const QColor red(0xD0, 0x10, 0x10);
const QColor green(0x00, 0x90, 0x00);
const QColor folderBack(0xC8, 0xA0, 0x00);
const QColor folderFront(0xFF, 0xE0, 0x60);

QPen outlinePen(double width = 1)
{
    return QPen(outline, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// A 3 x 3 piece of the editing grid: 3-pixel cells with dark 1-pixel gaps, top-left at (2, 2).
void drawField(QPainter& painter, const char* cells)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    painter.drawRect(QRect(2, 2, 13, 13));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            painter.setBrush(cells[row * 3 + column] == 'Y' ? yellow : paleGreen);
            painter.drawRect(QRect(3 + 4 * column, 3 + 4 * row, 3, 3));
        }
    }
}

void drawPage(QPainter& painter, double left, double right)
{
    const double fold = right - 3;
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawPolygon(QPolygonF({QPointF(left, 1.5), QPointF(fold, 1.5), QPointF(right, 4.5),
                                   QPointF(right, 14.5), QPointF(left, 14.5)}));
    painter.setBrush(silver);
    painter.drawPolygon(QPolygonF({QPointF(fold, 1.5), QPointF(fold, 4.5), QPointF(right, 4.5)}));
}

void drawArrow(QPainter& painter, const QPointF& from, const QPointF& to, const QColor& colour,
               double width, double head)
{
    const QPointF along = to - from;
    const QPointF unit = along / std::hypot(along.x(), along.y());
    const QPointF across(-unit.y(), unit.x());
    const QPointF base = to - unit * head;
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, base + unit * 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({to, base + across * head * 0.8, base - across * head * 0.8}));
}

void drawFloppy(QPainter& painter)
{
    painter.setPen(outlinePen());
    painter.setBrush(navy);
    painter.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(12.5, 1.5), QPointF(14.5, 3.5),
                                   QPointF(14.5, 14.5), QPointF(1.5, 14.5)}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawRect(QRect(4, 2, 8, 6));
    painter.setBrush(grey);
    painter.drawRect(QRect(5, 4, 6, 1));
    painter.drawRect(QRect(5, 6, 6, 1));
    painter.setBrush(silver);
    painter.drawRect(QRect(4, 10, 8, 5));
    painter.setBrush(navy);
    painter.drawRect(QRect(5, 11, 2, 3));
}

void drawBadgeBackground(QPainter& painter)
{
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawEllipse(QPointF(11.5, 11.5), 4, 4);
}

void drawNew(QPainter& painter)
{
    drawPage(painter, 2.5, 11.5);
    painter.setPen(QPen(QColor(0xE0, 0x90, 0x00), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(13, 0.8), QPointF(13, 6.2));
    painter.drawLine(QPointF(10.3, 3.5), QPointF(15.7, 3.5));
    painter.setPen(QPen(QColor(0xE0, 0x90, 0x00), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(11.3, 1.8), QPointF(14.7, 5.2));
    painter.drawLine(QPointF(14.7, 1.8), QPointF(11.3, 5.2));
}

void drawOpen(QPainter& painter)
{
    painter.setPen(outlinePen());
    painter.setBrush(folderBack);
    painter.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(6.5, 5.5),
                                   QPointF(12.5, 5.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
    painter.setBrush(folderFront);
    painter.drawPolygon(QPolygonF(
        {QPointF(3.5, 8.5), QPointF(15.5, 8.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
}

void drawSave(QPainter& painter)
{
    drawFloppy(painter);
}

void drawSaveAs(QPainter& painter)
{
    painter.save();
    painter.translate(0, 3);
    painter.scale(0.8, 0.8);
    drawFloppy(painter);
    painter.restore();

    painter.setPen(QPen(outline, 4, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(14.8, 1.2), QPointF(8.6, 7.4));
    painter.setPen(QPen(QColor(0xF0, 0xC0, 0x00), 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(14.3, 1.7), QPointF(9.1, 6.9));
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    painter.drawPolygon(QPolygonF({QPointF(7.2, 6.8), QPointF(9.2, 8.8), QPointF(6.5, 9.5)}));
}

void drawDelete(QPainter& painter)
{
    drawField(painter, "GYG"
                       "YGG"
                       "GGY");
    drawBadgeBackground(painter);
    painter.setPen(QPen(red, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.7, 9.7), QPointF(13.3, 13.3));
    painter.drawLine(QPointF(13.3, 9.7), QPointF(9.7, 13.3));
}

void drawInsert(QPainter& painter)
{
    drawField(painter, "GYG"
                       "YGG"
                       "GGY");
    drawBadgeBackground(painter);
    painter.setPen(QPen(green, 1.8, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(11.5, 9.0), QPointF(11.5, 14.0));
    painter.drawLine(QPointF(9.0, 11.5), QPointF(14.0, 11.5));
}

void drawClearAll(QPainter& painter)
{
    drawField(painter, "GGGGGGGGG");
}

void drawFillAll(QPainter& painter)
{
    drawField(painter, "YYYYYYYYY");
}

void drawUndo(QPainter& painter)
{
    QPainterPath arc;
    arc.moveTo(13, 12.5);
    arc.lineTo(13, 8);
    arc.arcTo(QRectF(4, 3, 9, 10), 0, 180);
    painter.setPen(QPen(navy, 2, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(navy);
    painter.drawPolygon(QPolygonF({QPointF(1, 7.5), QPointF(7, 7.5), QPointF(4, 12)}));
}

void drawTx(QPainter& painter)
{
    painter.setPen(outlinePen());
    painter.setBrush(QColor(0x1F, 0x7A, 0x3C));
    painter.drawRect(QRectF(9.5, 2.5, 5, 11));
    painter.setPen(Qt::NoPen);
    painter.setBrush(yellow);
    painter.drawRect(QRect(11, 4, 2, 2));
    painter.drawRect(QRect(11, 10, 2, 2));
    painter.setBrush(paleGreen);
    painter.drawRect(QRect(11, 7, 2, 2));
    drawArrow(painter, QPointF(0.5, 8), QPointF(8.5, 8), red, 2.5, 3.5);
}

void drawInvers(QPainter& painter)
{
    drawField(painter, "YGY"
                       "GYG"
                       "YGY");
}

void drawSplash(QPainter& painter)
{
    drawArrow(painter, QPointF(1.5, 4.5), QPointF(14.5, 4.5), navy, 1.8, 3.5);
    drawArrow(painter, QPointF(14.5, 11.5), QPointF(1.5, 11.5), navy, 1.8, 3.5);
}

void drawRotateCh(QPainter& painter)
{
    drawArrow(painter, QPointF(4.5, 14.5), QPointF(4.5, 1.5), navy, 1.8, 3.5);
    drawArrow(painter, QPointF(11.5, 1.5), QPointF(11.5, 14.5), navy, 1.8, 3.5);
}

void drawPlay(QPainter& painter)
{
    painter.setPen(QPen(outline, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(QColor(0x00, 0xB0, 0x00));
    painter.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(16.5, 16), QPointF(3.5, 24.5)}));
    painter.setBrush(red);
    painter.drawRect(QRectF(19.5, 10.5, 10, 11));
}

void drawFile(QPainter& painter)
{
    drawPage(painter, 3.5, 12.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(grey);
    for (int line = 0; line < 4; ++line)
        painter.drawRect(QRect(5, 6 + 2 * line, line == 3 ? 4 : 6, 1));
}

void drawCommands(QPainter& painter)
{
    QPolygonF gear;
    constexpr int teeth = 8;
    for (int step = 0; step < teeth * 4; ++step) {
        const double angle = 2 * M_PI * step / (teeth * 4);
        const double radius = (step % 4 < 2) ? 7.2 : 5.2;
        gear << QPointF(8 + radius * std::cos(angle), 8 + radius * std::sin(angle));
    }
    painter.setPen(outlinePen());
    painter.setBrush(silver);
    painter.drawPolygon(gear);
    painter.setBrush(grey);
    painter.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

void drawPresets(QPainter& painter)
{
    drawField(painter, "YGG"
                       "GYG"
                       "GGY");
}

void drawPort(QPainter& painter)
{
    painter.setPen(outlinePen());
    painter.setBrush(silver);
    painter.drawPolygon(QPolygonF(
        {QPointF(1.5, 4.5), QPointF(14.5, 4.5), QPointF(12.5, 11.5), QPointF(3.5, 11.5)}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    for (int pin = 0; pin < 5; ++pin)
        painter.drawEllipse(QPointF(4 + 2 * pin, 6.8), 0.75, 0.75);
    for (int pin = 0; pin < 4; ++pin)
        painter.drawEllipse(QPointF(5 + 2 * pin, 9.2), 0.75, 0.75);
}

void drawHelp(QPainter& painter)
{
    painter.setPen(outlinePen());
    painter.setBrush(QColor(0x00, 0x40, 0xC0));
    painter.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    painter.setPen(white);
    painter.setFont(ArtFont::pixels(12, true));
    painter.drawText(QRectF(0, 0.5, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

QList<ToolGlyphs::Glyph> ToolGlyphs::all()
{
    return {
        {QStringLiteral("new"), 16, drawNew},
        {QStringLiteral("open"), 16, drawOpen},
        {QStringLiteral("saveas"), 16, drawSaveAs},
        {QStringLiteral("save"), 16, drawSave},
        {QStringLiteral("delete"), 16, drawDelete},
        {QStringLiteral("insert"), 16, drawInsert},
        {QStringLiteral("clearall"), 16, drawClearAll},
        {QStringLiteral("fillall"), 16, drawFillAll},
        {QStringLiteral("undo"), 16, drawUndo},
        {QStringLiteral("tx"), 16, drawTx},
        {QStringLiteral("invers"), 16, drawInvers},
        {QStringLiteral("splash"), 16, drawSplash},
        {QStringLiteral("rotatech"), 16, drawRotateCh},
        {QStringLiteral("play"), 32, drawPlay},
        {QStringLiteral("file"), 16, drawFile},
        {QStringLiteral("commands"), 16, drawCommands},
        {QStringLiteral("presets"), 16, drawPresets},
        {QStringLiteral("port"), 16, drawPort},
        {QStringLiteral("help"), 16, drawHelp},
    };
}

QImage ToolGlyphs::render(const Glyph& glyph)
{
    QImage image(glyph.size, glyph.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    glyph.draw(painter);
    return image;
}

} // namespace zorvikta::tools
