// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowCascade.h"

#include "app/OtherInstances.h"

#include <QWidget>

#include <algorithm>

namespace zorvikta {

namespace {

bool standsAt(const QList<QPoint>& taken, QPoint corner)
{
    return std::any_of(taken.cbegin(), taken.cend(),
                       [corner](QPoint other) { return (other - corner).manhattanLength() <= 2; });
}

} // namespace

QPoint cascadedPosition(QPoint designed, const QList<QPoint>& taken, int step)
{
    QPoint corner = designed;
    if (step <= 0)
        return corner;
    // Each window taken can push it on once at most.
    for (qsizetype pushes = 0; pushes < taken.size() && standsAt(taken, corner); ++pushes)
        corner += QPoint(step, step);
    return corner;
}

void cascadeAfterOtherInstances(QWidget& window, const QString& captionStart)
{
    const platform::OtherInstances others = platform::otherInstances(captionStart);
    window.move(cascadedPosition(window.pos(), others.corners, others.cascadeStep));
}

} // namespace zorvikta
