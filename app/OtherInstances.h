// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QString>

namespace zorvikta::platform {

// The main windows of the program's other running instances, found by their caption's start.
struct OtherInstances {
    QList<QPoint> corners; // each frame's top-left corner, in the program's own pixels
    int cascadeStep = 0;   // how far the system moves a further window on; 0: it places them
};

OtherInstances otherInstances(const QString& captionStart);

} // namespace zorvikta::platform
