// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OpenBoxes.h"

#include <QApplication>
#include <QWidget>

namespace zorvikta {

void takeAwayOpenBoxes()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isModal() && window->isVisible())
            window->hide();
    }
}

} // namespace zorvikta
