// SPDX-License-Identifier: GPL-3.0-or-later
#include "WiringDiagram.h"

#include "ArtFont.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace zorvikta::tools {

namespace {

const QColor ink(0x10, 0x10, 0x10);
const QColor paper(0xFF, 0xFF, 0xFF);
const QColor flangeSteel(0xC9, 0xCE, 0xD3);
const QColor shellSteel(0x9A, 0xA3, 0xAD);
const QColor insulator(0xEF, 0xE8, 0xD4);
const QColor brass(0xE3, 0xB9, 0x3C);
const QColor brassEdge(0x6B, 0x52, 0x00);
const QColor txdRed(0xCC, 0x11, 0x11);
const QColor gndBlue(0x16, 0x46, 0xB4);
const QColor jumperGreen(0x0B, 0x7A, 0x0B);
const QColor plugBody(0x3B, 0x44, 0x50);

// Solder side of a female 9-pin D-sub: the wide row holds 1..5 and the narrow row 6..9, both
// counted from the left, the mirror image of the mating face.
constexpr double pinPitch = 170;
constexpr double rowGap = 150;
constexpr double socketX = 640;
constexpr double topRowY = 530;
constexpr double pinRadius = 50;

QPointF pinCentre(int pin)
{
    if (pin <= 5)
        return {socketX + (pin - 3) * pinPitch, topRowY};
    return {socketX + (pin - 7.5) * pinPitch, topRowY + rowGap};
}

constexpr double plugX = 1620;
const QPointF leftContact(plugX - 120, topRowY);
const QPointF rightContact(plugX + 120, topRowY);

QPainterPath roundedPolygon(const QPolygonF& corners, double radius)
{
    QPainterPath path;
    const auto count = corners.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF previous = corners[(i + count - 1) % count];
        const QPointF corner = corners[i];
        const QPointF next = corners[(i + 1) % count];
        const QPointF in = corner - previous;
        const QPointF out = next - corner;
        const QPointF before = corner - in * (radius / std::hypot(in.x(), in.y()));
        const QPointF after = corner + out * (radius / std::hypot(out.x(), out.y()));
        if (i == 0)
            path.moveTo(before);
        else
            path.lineTo(before);
        path.quadTo(corner, after);
    }
    path.closeSubpath();
    return path;
}

QPolygonF trapezoid(double top, double bottom, double topLeft, double topRight, double bottomLeft,
                    double bottomRight)
{
    return QPolygonF({QPointF(topLeft, top), QPointF(topRight, top), QPointF(bottomRight, bottom),
                      QPointF(bottomLeft, bottom)});
}

void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              const QColor& colour, Qt::Alignment alignment = Qt::AlignCenter)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, alignment, text);
}

void drawStandoff(QPainter& painter, const QPointF& centre)
{
    QPolygonF hexagon;
    for (int corner = 0; corner < 6; ++corner) {
        const double angle = M_PI / 3 * corner;
        hexagon << centre + QPointF(std::cos(angle), std::sin(angle)) * 44;
    }
    painter.setPen(QPen(ink, 4));
    painter.setBrush(QColor(0xB8, 0xBE, 0xC6));
    painter.drawPolygon(hexagon);
    painter.setBrush(QColor(0x5A, 0x60, 0x68));
    painter.drawEllipse(centre, 22, 22);
}

void drawSocketBody(QPainter& painter)
{
    painter.setPen(QPen(ink, 5));
    painter.setBrush(flangeSteel);
    painter.drawRoundedRect(QRectF(60, 330, 1160, 560), 36, 36);
    drawStandoff(painter, QPointF(112, 610));
    drawStandoff(painter, QPointF(1168, 610));

    painter.setBrush(shellSteel);
    painter.drawPath(roundedPolygon(trapezoid(385, 835, 140, 1140, 235, 1045), 70));
    painter.setBrush(insulator);
    painter.drawPath(roundedPolygon(trapezoid(415, 805, 175, 1105, 260, 1020), 50));
}

void drawPlugBody(QPainter& painter)
{
    painter.setPen(QPen(ink, 6));
    painter.setBrush(plugBody);
    painter.drawRoundedRect(QRectF(plugX - 240, 415, 480, 260), 36, 36);
}

void drawWire(QPainter& painter, const QList<QPointF>& points, const QColor& colour, double width)
{
    QPainterPath path(points.front());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void drawContact(QPainter& painter, const QPointF& centre, const QString& label)
{
    painter.setPen(QPen(brassEdge, 5));
    painter.setBrush(brass);
    painter.drawEllipse(centre, pinRadius, pinRadius);
    if (!label.isEmpty()) {
        const QRectF box(centre.x() - pinRadius, centre.y() - pinRadius, 2 * pinRadius,
                         2 * pinRadius);
        drawText(painter, box, label, ArtFont::pixels(54, true), ink);
    }
}

void drawWiring(QPainter& painter)
{
    const double jumperBottom = pinCentre(6).y() + 85;
    drawWire(painter, {pinCentre(1), pinCentre(6)}, jumperGreen, 12);
    drawWire(painter,
             {pinCentre(6), QPointF(pinCentre(6).x(), jumperBottom),
              QPointF(pinCentre(4).x(), jumperBottom), pinCentre(4)},
             jumperGreen, 12);
    drawWire(painter, {pinCentre(7), pinCentre(8)}, jumperGreen, 12);

    const double txdRun = 250;
    drawWire(painter,
             {pinCentre(3), QPointF(pinCentre(3).x(), txdRun), QPointF(rightContact.x(), txdRun),
              rightContact},
             txdRed, 14);
    drawWire(painter, {pinCentre(5), leftContact}, gndBlue, 14);

    drawText(painter, QRectF(1000, 170, 400, 70), QStringLiteral("TxD"), ArtFont::pixels(44, true),
             txdRed);
    drawText(painter, QRectF(1220, 450, 160, 66), QStringLiteral("GND"), ArtFont::pixels(40, true),
             gndBlue);

    for (int pin = 1; pin <= 9; ++pin)
        drawContact(painter, pinCentre(pin), QString::number(pin));
    drawContact(painter, leftContact, {});
    drawContact(painter, rightContact, {});
    drawText(painter, QRectF(leftContact.x() - 110, 590, 220, 60), QStringLiteral("левый"),
             ArtFont::pixels(38, true), paper);
    drawText(painter, QRectF(rightContact.x() - 110, 590, 220, 60), QStringLiteral("правый"),
             ArtFont::pixels(38, true), paper);
}

void drawCaption(QPainter& painter, double centreX, const QString& name, const QString& view)
{
    drawText(painter, QRectF(centreX - 600, 915, 1200, 70), name, ArtFont::pixels(54, true), ink);
    drawText(painter, QRectF(centreX - 600, 985, 1200, 60), view, ArtFont::pixels(46), ink);
}

void drawTable(QPainter& painter)
{
    const double left = 2020;
    const double right = 2780;
    const double split = 2240;
    const double top = 400;
    const double rowHeight = 80;
    const QList<std::pair<QString, QString>> rows = {
        {QStringLiteral("DB-9M"), QStringLiteral("HU-2")},
        {QStringLiteral("3"), QStringLiteral("правый контакт")},
        {QStringLiteral("5"), QStringLiteral("левый контакт")},
        {QStringLiteral("1, 4, 6"), QStringLiteral("соединены между собой")},
        {QStringLiteral("7, 8"), QStringLiteral("соединены между собой")},
        {QStringLiteral("2, 9"), QStringLiteral("не подключены")},
    };

    drawText(painter, QRectF(left, top - 80, right - left, 70),
             QStringLiteral("Таблица соединений"), ArtFont::pixels(46, true), ink);
    const double bottom = top + rowHeight * rows.size();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE4, 0xE8, 0xEC));
    painter.drawRect(QRectF(left, top, right - left, rowHeight));

    for (qsizetype row = 0; row < rows.size(); ++row) {
        const double y = top + rowHeight * row;
        const QFont font = ArtFont::pixels(38, row == 0);
        drawText(painter, QRectF(left, y, split - left, rowHeight), rows[row].first, font, ink);
        drawText(painter, QRectF(split + 24, y, right - split - 24, rowHeight), rows[row].second,
                 font, ink, Qt::AlignLeft | Qt::AlignVCenter);
    }

    painter.setPen(QPen(ink, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(left, top, right - left, bottom - top));
    painter.drawLine(QPointF(split, top), QPointF(split, bottom));
    for (qsizetype row = 1; row < rows.size(); ++row)
        painter.drawLine(QPointF(left, top + rowHeight * row),
                         QPointF(right, top + rowHeight * row));
}

} // namespace

QImage WiringDiagram::render()
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(QPen(ink, 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(20, 20, width - 40, height - 40));

    drawText(painter, QRectF(40, 40, width - 80, 110),
             QStringLiteral("Кабель соединения COM порта компьютера с внешним устройством"),
             ArtFont::pixels(64, true), ink);

    drawSocketBody(painter);
    drawPlugBody(painter);
    drawWiring(painter);
    drawCaption(painter, socketX, QStringLiteral("Разъем DB-9M (мама)"),
                QStringLiteral("вид со стороны пайки"));
    drawCaption(painter, plugX, QStringLiteral("Разъем HU-2 кабельный"),
                QStringLiteral("вид со стороны пайки"));
    drawTable(painter);

    const QFont noteFont = ArtFont::pixels(40);
    drawText(painter, QRectF(80, 1110, width - 160, 60),
             QStringLiteral("Перемычки 1-4-6 (DCD, DTR, DSR) и 7-8 (RTS, CTS) замыкают линии "
                            "квитирования на разъеме компьютера."),
             noteFont, ink, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(painter, QRectF(80, 1180, width - 160, 60),
             QStringLiteral("К устройству идут только передача TxD (контакт 3) и общий провод "
                            "GND (контакт 5); контакты 2 и 9 не подключены."),
             noteFont, ink, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

} // namespace zorvikta::tools
