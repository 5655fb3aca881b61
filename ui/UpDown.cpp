// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UpDown.h"

#include <QKeyEvent>
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
    // Tab only: a click on an arrow leaves the focus where it was, as it always has.
    setFocusPolicy(Qt::TabFocus);
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
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
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

void UpDown::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        clickArrow(Arrow::Up);
    else if (event->key() == Qt::Key_Down)
        clickArrow(Arrow::Down);
    else
        QWidget::keyPressEvent(event);
}

} // namespace zorvikta
