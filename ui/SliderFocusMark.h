// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QScrollBar;

namespace zorvikta {

// A dotted frame inside a scroll bar's thumb while the bar has the keyboard focus, as the grid
// shows its cell cursor. It lies over the bar and lets the mouse through; without the focus it
// draws nothing, so the bar looks exactly as it does without it.
class SliderFocusMark final : public QWidget {
public:
    explicit SliderFocusMark(QScrollBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QScrollBar* m_bar;
};

} // namespace zorvikta
