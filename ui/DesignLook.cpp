// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesignLook.h"

#include "ui/CrispScrollBars.h"
#include "ui/DesignPalette.h"
#include "ui/ProgramFont.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace zorvikta {

void useDesignStyle()
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new CrispScrollBars(fusion));
    // After the style, which takes the desktop's fonts for each kind of widget again.
    QApplication::setFont(programFont());
}

void giveDesignLook(QWidget& window)
{
    window.setPalette(designPalette());
    window.setFont(programFont());
}

} // namespace zorvikta
