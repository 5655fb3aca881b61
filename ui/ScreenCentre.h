// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScreen>
#include <QWidget>

namespace zorvikta {

// Puts a window, frame included, in the middle of the screen it is shown on.
inline void centreOnScreen(QWidget& window)
{
    if (const QScreen* shownOn = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(shownOn->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace zorvikta
