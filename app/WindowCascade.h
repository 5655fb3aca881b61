// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QString>

class QWidget;

namespace zorvikta {

// Where a window designed to open at `designed` (its frame's top-left corner) opens while other
// windows of the program have their corners at `taken`: one `step` down and to the right for
// each that stands where it would open, as Windows cascades a program's further windows. Corners
// within two pixels count as the same, since they went through another pixel ratio.
QPoint cascadedPosition(QPoint designed, const QList<QPoint>& taken, int step);

// Moves `window`, not yet shown, on from where it was designed to open as far as the other
// instances' windows, whose captions start with `captionStart`, stand in its way.
void cascadeAfterOtherInstances(QWidget& window, const QString& captionStart);

} // namespace zorvikta
