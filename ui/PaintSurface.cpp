// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PaintSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zorvikta {

PaintSurface::PaintSurface(QWidget* parent) : QWidget(parent)
{
    // The canvas covers the whole surface, so repainting it never involves the window behind.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PaintSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_canvas, event->rect());
}

QImage& PaintSurface::canvas()
{
    fitCanvas();
    return m_canvas;
}

void PaintSurface::resizeEvent(QResizeEvent*)
{
    fitCanvas();
    emit resized();
}

// Keeps what is drawn; new area shows the background until the next drawing.
void PaintSurface::fitCanvas()
{
    if (m_canvas.size() == size())
        return;
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(palette().color(QPalette::Button));
    QPainter painter(&grown);
    painter.drawImage(0, 0, m_canvas);
    painter.end();
    m_canvas = std::move(grown);
}

void PaintSurface::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->position().toPoint());
}

void PaintSurface::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->position().toPoint());
}

void PaintSurface::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), event->position().toPoint());
}

// The second press of a left double click marks the step and then still presses; a right double
// click is just two presses.
void PaintSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    emit pressed(event->button(), event->position().toPoint());
}

// Only the arrows, Space and Enter are the surface's; every other key goes on to the window.
void PaintSurface::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit keyPressed(static_cast<Qt::Key>(event->key()));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PaintSurface::focusInEvent(QFocusEvent* event)
{
    emit focusChanged(true, event->reason());
}

void PaintSurface::focusOutEvent(QFocusEvent* event)
{
    emit focusChanged(false, event->reason());
}

} // namespace zorvikta
