// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramIcons.h"

namespace zorvikta {

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/icons/zorvikta.png"));
}

QIcon glyphIcon(const char* name)
{
    return QIcon(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(name)));
}

} // namespace zorvikta
