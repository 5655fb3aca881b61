// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <optional>

namespace zorvikta {

// A pair of arrow buttons holding a position in a range, without wrap-around. Only a click that
// moves the position reports itself; setting the position from code is silent. Tab reaches it,
// and the Up and Down keys click its arrows.
class UpDown final : public QWidget {
    Q_OBJECT
public:
    enum class Arrow { Up, Down };

    UpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);

    int position() const { return m_position; }
    // Clamps to the range; raises no click.
    void setPosition(int position);

    // What a click on an arrow does: moves by one within the range.
    void clickArrow(Arrow arrow);

signals:
    void clicked(zorvikta::UpDown::Arrow arrow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect arrowRect(Arrow arrow) const;

    int m_minimum;
    int m_maximum;
    int m_position;
    std::optional<Arrow> m_pressedArrow;
};

} // namespace zorvikta
