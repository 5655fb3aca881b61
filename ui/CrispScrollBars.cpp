// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CrispScrollBars.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOptionSlider>

#include <cmath>

namespace zorvikta {

void CrispScrollBars::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1;
    if (control != CC_ScrollBar || bar == nullptr || ratio == std::floor(ratio) ||
        option->rect.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QImage image(option->rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QStyleOptionSlider atOrigin(*bar);
    atOrigin.rect.moveTo(0, 0);
    {
        QPainter imagePainter(&image);
        QProxyStyle::drawComplexControl(control, &atOrigin, &imagePainter, widget);
    }
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(option->rect, image);
    painter->restore();
}

} // namespace zorvikta
