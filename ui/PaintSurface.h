// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace zorvikta {

// A drawing surface that keeps what was drawn on it, like a window canvas: the program draws
// into its image whenever it likes, and a repaint only shows the image. It reports the mouse in
// its own pixel coordinates, and, when it takes the focus, the keys that move over its cells.
class PaintSurface final : public QWidget {
    Q_OBJECT
public:
    explicit PaintSurface(QWidget* parent = nullptr);

    // The image to draw on, as large as the surface; call update() after drawing.
    QImage& canvas();

signals:
    void pressed(Qt::MouseButton button, QPoint position);
    void moved(QPoint position);
    void released(Qt::MouseButton button, QPoint position);
    void doubleClicked();
    void keyPressed(Qt::Key key);
    void focusChanged(bool focused, Qt::FocusReason reason);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fitCanvas();

    QImage m_canvas;
};

} // namespace zorvikta
