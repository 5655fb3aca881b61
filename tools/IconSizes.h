// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QPainter;

namespace zorvikta::tools {

// An icon drawn on a 16-pixel layout for the small sizes and a 32-pixel one for the rest:
// pixel for pixel at 16 and 32, scaled up and smoothed above that.
QImage renderIconSize(int size, void (*drawSmall)(QPainter&), void (*drawLarge)(QPainter&));

} // namespace zorvikta::tools
