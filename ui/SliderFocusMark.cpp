// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SliderFocusMark.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

namespace zorvikta {

namespace {

// Where the bar's style draws its thumb now.
QRect thumbRect(const QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    if (bar.orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                       &bar);
}

} // namespace

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
    painter.drawRect(thumbRect(*m_bar).adjusted(2, 2, -3, -3));
}

} // namespace zorvikta
