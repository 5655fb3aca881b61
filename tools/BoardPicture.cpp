// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardPicture.h"

#include "ArtFont.h"

#include <QPainter>

namespace zorvikta::tools {

namespace {

// The About window's background, so the board's rounded corners melt into it.
const QColor windowGreen(0xC0, 0xDC, 0xC0);
const QColor solderMask(0x1F, 0x7A, 0x3C);
const QColor boardEdge(0x0F, 0x4F, 0x24);
const QColor trace(0x3F, 0xA3, 0x5C);
const QColor tin(0xD8, 0xD8, 0xD0);
const QColor gold(0xD9, 0xB0, 0x3A);
const QColor silkscreen(0xF4, 0xF4, 0xEE);
const QColor relayBlue(0x1F, 0x5F, 0xBF);
const QColor terminalBlue(0x0D, 0x47, 0xA1);
const QColor chipBlack(0x1C, 0x1C, 0x1E);

constexpr int relayCount = 4;
constexpr int relayLeft = 40;
constexpr int relayPitch = 86;
constexpr int relayTop = 44;

int relayCentreX(int relay)
{
    return relayLeft + relay * relayPitch + 36;
}

void drawTraces(QPainter& painter)
{
    painter.setPen(QPen(trace, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    for (int relay = 0; relay < relayCount; ++relay) {
        const int x = relayCentreX(relay);
        painter.drawPolyline(
            QPolygon({QPoint(x, 150), QPoint(x, 160), QPoint(110 + relay * 22, 170)}));
        painter.drawPolyline(
            QPolygon({QPoint(x + 20, 136), QPoint(x + 20, 262), QPoint(194 + relay * 46, 276)}));
    }
    painter.drawPolyline(QPolygon({QPoint(62, 200), QPoint(80, 200), QPoint(96, 186)}));
    painter.drawPolyline(QPolygon({QPoint(62, 236), QPoint(84, 236), QPoint(96, 214)}));
    painter.drawPolyline(QPolygon({QPoint(212, 204), QPoint(226, 216), QPoint(246, 216)}));
}

void drawMountingHole(QPainter& painter, const QPoint& centre)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    painter.drawEllipse(centre, 10, 10);
    painter.setBrush(windowGreen);
    painter.drawEllipse(centre, 5, 5);
}

void drawRelay(QPainter& painter, int relay)
{
    const QRect body(relayLeft + relay * relayPitch, relayTop, 72, 92);
    painter.setPen(QPen(QColor(0x12, 0x3C, 0x80), 2));
    painter.setBrush(relayBlue);
    painter.drawRoundedRect(body, 4, 4);
    painter.setPen(QPen(QColor(0x5C, 0x8F, 0xE0), 1));
    painter.drawLine(body.left() + 6, body.top() + 6, body.right() - 6, body.top() + 6);

    painter.setPen(silkscreen);
    painter.setFont(ArtFont::pixels(13, true));
    painter.drawText(body.adjusted(0, 12, 0, -50), Qt::AlignCenter,
                     QStringLiteral("K%1").arg(relay + 1));
    painter.setFont(ArtFont::pixels(9));
    painter.drawText(body.adjusted(0, 40, 0, -30), Qt::AlignCenter, QStringLiteral("5 VDC"));
    painter.drawText(body.adjusted(0, 56, 0, -14), Qt::AlignCenter, QStringLiteral("10A 250VAC"));

    const int ledX = relayCentreX(relay) - 18;
    painter.setPen(QPen(QColor(0x70, 0x00, 0x00), 1));
    painter.setBrush(QColor(0xE5, 0x20, 0x20));
    painter.drawEllipse(QPoint(ledX, 150), 5, 5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xB0, 0xB0));
    painter.drawEllipse(QPoint(ledX - 2, 148), 2, 2);
}

void drawTerminal(QPainter& painter, int index)
{
    const QRect block(174 + index * 46, 262, 44, 34);
    painter.setPen(QPen(QColor(0x06, 0x2A, 0x66), 2));
    painter.setBrush(terminalBlue);
    painter.drawRect(block);
    for (int screw = 0; screw < 2; ++screw) {
        const QPoint centre(block.left() + 11 + screw * 22, block.top() + 17);
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        painter.setBrush(tin);
        painter.drawEllipse(centre, 8, 8);
        painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 2));
        painter.drawLine(centre + QPoint(-5, 0), centre + QPoint(5, 0));
    }
}

void drawSerialConnector(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x55, 0x5B, 0x62), 2));
    painter.setBrush(QColor(0xB8, 0xBE, 0xC6));
    painter.drawRect(QRect(12, 168, 48, 100));
    painter.setBrush(QColor(0x8A, 0x92, 0x9C));
    painter.drawPolygon(
        QPolygon({QPoint(14, 188), QPoint(30, 192), QPoint(30, 244), QPoint(14, 248)}));
    painter.setBrush(QColor(0xC8, 0xA0, 0x30));
    for (const int y : {174, 262}) {
        painter.drawEllipse(QPoint(36, y), 4, 4);
    }
    painter.setPen(QColor(0x30, 0x34, 0x3A));
    painter.setFont(ArtFont::pixels(10, true));
    painter.drawText(QRect(30, 206, 30, 24), Qt::AlignCenter, QStringLiteral("COM"));
}

void drawController(QPainter& painter)
{
    const QRect chip(96, 172, 112, 36);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tin);
    for (int leg = 0; leg < 10; ++leg) {
        painter.drawRect(chip.left() + 6 + leg * 10, chip.top() - 5, 5, 5);
        painter.drawRect(chip.left() + 6 + leg * 10, chip.bottom() + 1, 5, 5);
    }
    painter.setBrush(chipBlack);
    painter.drawRoundedRect(chip, 2, 2);
    painter.setBrush(QColor(0x3A, 0x3A, 0x3C));
    painter.drawEllipse(QPoint(chip.left() + 8, chip.center().y()), 4, 4);
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.setFont(ArtFont::pixels(10, true));
    painter.drawText(chip, Qt::AlignCenter, QStringLiteral("ZV-RB4"));

    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    painter.setBrush(QColor(0xE0, 0xE0, 0xE4));
    painter.drawRoundedRect(QRect(214, 176, 30, 14), 7, 7);

    painter.setPen(QPen(QColor(0x10, 0x10, 0x40), 1));
    painter.setBrush(QColor(0x1A, 0x23, 0x7E));
    painter.drawEllipse(QPoint(262, 222), 15, 15);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9F, 0xA8, 0xDA));
    painter.drawPie(QRect(247, 207, 30, 30), 60 * 16, 50 * 16);
}

void drawResistor(QPainter& painter, const QPoint& centre, const QList<QColor>& bands)
{
    painter.setPen(QPen(tin, 2));
    painter.drawLine(centre + QPoint(-20, 0), centre + QPoint(20, 0));
    painter.setPen(QPen(QColor(0x8A, 0x6A, 0x3A), 1));
    painter.setBrush(QColor(0xE6, 0xCC, 0x96));
    painter.drawRoundedRect(QRect(centre.x() - 13, centre.y() - 5, 26, 10), 4, 4);
    painter.setPen(Qt::NoPen);
    for (qsizetype band = 0; band < bands.size(); ++band) {
        painter.setBrush(bands[band]);
        painter.drawRect(centre.x() - 8 + int(band) * 5, centre.y() - 5, 3, 10);
    }
}

} // namespace

QImage BoardPicture::render()
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(windowGreen);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(QPen(boardEdge, 3));
    painter.setBrush(solderMask);
    painter.drawRoundedRect(QRectF(4.5, 4.5, width - 9, height - 9), 14, 14);
    for (const QPoint& hole : {QPoint(22, 22), QPoint(width - 22, 22), QPoint(22, height - 22),
                               QPoint(width - 22, height - 22)})
        drawMountingHole(painter, hole);

    drawTraces(painter);
    for (int relay = 0; relay < relayCount; ++relay)
        drawRelay(painter, relay);
    for (int terminal = 0; terminal < relayCount; ++terminal)
        drawTerminal(painter, terminal);
    drawSerialConnector(painter);
    drawController(painter);

    const QColor brown(0x79, 0x4A, 0x1E);
    const QColor black(0x10, 0x10, 0x10);
    const QColor red(0xC6, 0x1E, 0x1E);
    const QColor orange(0xF0, 0x8A, 0x10);
    drawResistor(painter, QPoint(116, 236), {brown, black, red, gold});
    drawResistor(painter, QPoint(116, 256), {brown, black, orange, gold});
    drawResistor(painter, QPoint(176, 236), {red, red, brown, gold});
    drawResistor(painter, QPoint(176, 256), {red, red, brown, gold});

    painter.setPen(silkscreen);
    painter.setFont(ArtFont::pixels(13, true));
    painter.drawText(QRect(40, 280, 130, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("ZORVIKTA RB-4"));
    painter.setFont(ArtFont::pixels(9));
    painter.drawText(QRect(40, 298, 130, 14), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("relay board  v2.3"));
    return image;
}

} // namespace zorvikta::tools
