// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace zorvikta {

// Fusion, with the scroll bars drawn whole pixel by whole pixel where the screen's scale is not a
// whole number (125 %, 150 %): there Fusion draws its one-pixel edges at fractional places, where
// each comes out as two pixels of different greys, and the thumb's edge beside the arrow button's
// as a double line. The bar is drawn at 100 % and each of its pixels covers the device pixels it
// falls on, so every edge keeps one grey and the gaps between edges stay. At whole scales the
// bars are Fusion's own.
class CrispScrollBars final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

} // namespace zorvikta
