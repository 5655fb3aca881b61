// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StepLabel.h"

#include <QEvent>
#include <QPainter>

namespace zorvikta {

namespace {

// More than every text the counter shows ("Шаг = ?" and one per step); a safety bound only.
constexpr qsizetype kMaxLayouts = 256;

} // namespace

StepLabel::StepLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StepLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    // Left-aligned and centred vertically, where a plain label puts its line.
    const QRect box = contentsRect();
    const int lineHeight = fontMetrics().height();
    painter.drawStaticText(QPointF(box.left(), box.top() + (box.height() - lineHeight) / 2),
                           layoutOf(text()));
}

void StepLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_layouts.clear();
    QLabel::changeEvent(event);
}

const QStaticText& StepLabel::layoutOf(const QString& text)
{
    auto found = m_layouts.find(text);
    if (found == m_layouts.end()) {
        if (m_layouts.size() >= kMaxLayouts)
            m_layouts.clear();
        QStaticText layout(text);
        layout.setTextFormat(Qt::PlainText);
        layout.prepare(QTransform(), font());
        found = m_layouts.insert(text, layout);
    }
    return *found;
}

} // namespace zorvikta
