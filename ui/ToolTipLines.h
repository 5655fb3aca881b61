// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QScreen;

namespace zorvikta {

// A tool tip's text in lines that stay on the screen: none wider, in the design font the tips
// are drawn in, than two thirds of the screen. A line too wide breaks after its last space,
// slash, hyphen or underscore that fits, so that a device path breaks between its folders, and
// anywhere in a run too long for a line of its own.
QString toolTipLines(const QString& text, const QScreen* screen);

} // namespace zorvikta
