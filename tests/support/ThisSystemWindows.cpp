// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThisSystem.h"

namespace zorvikta::test {

QString dotted(const char* name)
{
    return QStringLiteral(".\\") + QString::fromUtf8(name);
}

QString scratchFoundAtStart()
{
    return QStringLiteral("Tmp.zvk");
}

PortDevices defaultDevices()
{
    return {QStringLiteral("COM1"), QStringLiteral("COM2")};
}

QList<std::pair<const char*, QString>> bareDeviceNames()
{
    // A bare name is a COM port here, and which ones a machine has differs.
    return {};
}

std::optional<QString> fullDevice()
{
    return std::nullopt;
}

QString rootFolder()
{
    return QStringLiteral("C:/");
}

bool refusesLongNames()
{
    // Long names go to the file system in the long-path form, which decides for itself.
    return false;
}

bool readsSettingsInACodePage()
{
    return true;
}

bool tipsPlacedByTheDesktop()
{
    return false;
}

QList<const char*> desktops()
{
    return {"light", "dark palette", "windowsvista"};
}

} // namespace zorvikta::test
