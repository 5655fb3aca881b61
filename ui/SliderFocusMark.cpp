// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SliderFocusMark.h"

#include "ui/ScrollBarParts.h"

#include <QEvent>
#include <QPainter>

namespace zorvikta {

SliderFocusMark::SliderFocusMark(QScrollBar* bar) : QWidget(bar), m_bar(bar)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(bar->rect());
    bar->installEventFilter(this);
}

bool SliderFocusMark::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_bar) {
        if (event->type() == QEvent::Resize)
            setGeometry(m_bar->rect());
        else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            update();
    }
    return false;
}

void SliderFocusMark::paintEvent(QPaintEvent*)
{
    if (!m_bar->hasFocus())
        return;
    QPainter painter(this);
    QPen dotted(m_bar->palette().color(QPalette::ButtonText), 1, Qt::DotLine);
    painter.setPen(dotted);
    painter.drawRect(scrollBarPart(*m_bar, QStyle::SC_ScrollBarSlider).adjusted(2, 2, -3, -3));
}

} // namespace zorvikta
