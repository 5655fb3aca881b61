// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace zorvikta::tools {

QString ArtFont::family()
{
    return QStringLiteral("DejaVu Sans");
}

QString ArtFont::missingReason()
{
    if (QFontDatabase::families().contains(family()))
        return {};
    return QStringLiteral("the font \"%1\" is not installed (Debian package fonts-dejavu-core)")
        .arg(family());
}

QFont ArtFont::pixels(int pixelSize, bool bold)
{
    QFont font(family());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace zorvikta::tools
