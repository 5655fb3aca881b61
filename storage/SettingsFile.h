// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/Ports.h"
#include "storage/FileError.h"

#include <QString>

#include <optional>

namespace zorvikta {

// The user's choices kept from one run to the next, as the window uses them.
struct Settings {
    PortChoice port = PortChoice::Com2;
    bool speedToBoxAtOnce = false; // "Сразу в блок"
    QString lastFile;
    PortDevices devices;
    friend bool operator==(const Settings&, const Settings&) = default;
};

enum class SettingsKeys {
    Choices,           // the port, the check box and the last file
    ChoicesAndDevices, // and the two devices, once the user has chosen them
};

// The INI file that keeps the user's choices between runs. Section and key names match without
// regard to case; values are compared exactly as stored.
class SettingsFile {
public:
    // `deviceDefaults` are the devices when the file names none; without them (where the
    // platform's ports have fixed names) the device keys are neither read nor written.
    SettingsFile(QString path, std::optional<PortDevices> deviceDefaults);

    const QString& path() const;

    // Never fails: whatever is missing or unreadable reads as its default.
    Settings read() const;

    // Rewrites the values of the keys asked for and keeps every other byte of the file; the file
    // is replaced atomically, so a failure leaves the old one intact.
    std::optional<FileError> write(const Settings& settings, SettingsKeys keys) const;

private:
    QString m_path;
    std::optional<PortDevices> m_deviceDefaults;
};

// $XDG_CONFIG_HOME/Zorvikta.ini, else ~/.config/Zorvikta.ini; the folder is created on write.
QString defaultSettingsFilePath();

} // namespace zorvikta
