// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconSizes.h"

#include <QPainter>

namespace zorvikta::tools {

QImage renderIconSize(int size, void (*drawSmall)(QPainter&), void (*drawLarge)(QPainter&))
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (size < 24) {
        painter.scale(size / 16.0, size / 16.0);
        drawSmall(painter);
    } else {
        painter.setRenderHint(QPainter::Antialiasing, size != 32);
        painter.scale(size / 32.0, size / 32.0);
        drawLarge(painter);
    }
    return image;
}

} // namespace zorvikta::tools
