#include "ui/UpDown.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace zorvikta {

UpDown::UpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), m_minimum(minimum), m_maximum(maximum),
      m_position(std::clamp(position, minimum, maximum))
{
    setFixedSize(15, 30);
}

void UpDown::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void UpDown::clickArrow(Arrow arrow)
{
    const int moved = std::clamp(m_position + (arrow == Arrow::Up ? 1 : -1), m_minimum, m_maximum);
    if (moved == m_position)
        return;
    m_position = moved;
    emit clicked(arrow);
}

QRect UpDown::arrowRect(Arrow arrow) const
{
    const int half = height() / 2;
    return arrow == Arrow::Up ? QRect(0, 0, width(), half)
                              : QRect(0, half, width(), height() - half);
}

void UpDown::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = arrowRect(arrow);
        if (m_pressedArrow == arrow)
            button.state |= QStyle::State_Sunken;
        else
            button.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);

        QStyleOption glyph;
        glyph.initFrom(this);
        glyph.rect = button.rect.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp
                                                  : QStyle::PE_IndicatorArrowDown,
                               &glyph, &painter, this);
    }
}

void UpDown::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressedArrow =
        arrowRect(Arrow::Up).contains(event->position().toPoint()) ? Arrow::Up : Arrow::Down;
    update();
    clickArrow(*m_pressedArrow);
}

void UpDown::mouseReleaseEvent(QMouseEvent*)
{
    m_pressedArrow.reset();
    update();
}

} // namespace zorvikta
