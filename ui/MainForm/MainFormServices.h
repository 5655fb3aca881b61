// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta {

class Prompts;
class SerialLink;
class SerialPortSource;

// What the main window needs from the world outside it; tests hand in their own.
struct MainFormServices {
    Prompts& prompts;
    SerialLink& serialLink;
    QString settingsPath;
    const SerialPortSource& serialPorts;
    QString startFile; // named on the command line: opened instead of the last file
};

} // namespace zorvikta
