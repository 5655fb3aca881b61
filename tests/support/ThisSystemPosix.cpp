// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThisSystem.h"

namespace zorvikta::test {

QString dotted(const char* name)
{
    return QStringLiteral("./") + QString::fromUtf8(name);
}

QString scratchFoundAtStart()
{
    return dotted("tmp.zvk");
}

PortDevices defaultDevices()
{
    return {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
}

QList<std::pair<const char*, QString>> bareDeviceNames()
{
    // Bare names lead into /dev.
    return {{"listed, bare name", QStringLiteral("ttyACM0")},
            {"not listed but there, bare name", QStringLiteral("null")},
            {"not listed but there, bare path", QStringLiteral("pts/ptmx")}};
}

std::optional<QString> fullDevice()
{
    return QStringLiteral("/dev/full");
}

QString rootFolder()
{
    return QStringLiteral("/");
}

bool refusesLongNames()
{
    // A name is at most 255 bytes.
    return true;
}

bool readsSettingsInACodePage()
{
    return false;
}

bool tipsPlacedByTheDesktop()
{
    return true;
}

QList<const char*> desktops()
{
    return {"light", "dark palette", "Adwaita-Dark", "qt6ct darker"};
}

} // namespace zorvikta::test
