// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BevelPanel.h"

#include <QPainter>
#include <qdrawutil.h>

namespace zorvikta {

// The panel paints all of itself, so a label changing on it (the step counter, several times a
// second) repaints the panel alone and not the whole window behind it.
BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
}

} // namespace zorvikta
