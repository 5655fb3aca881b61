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
    // Why `lastFile` cannot name a file (not text, a NUL, too long), found before any file is
    // touched; it then stands in a printable form.
    std::optional<FileError> lastFileRefusal = std::nullopt;
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
    // `deviceDefaults` are the devices when the file names none.
    SettingsFile(QString path, PortDevices deviceDefaults);

    const QString& path() const;

    // Never fails: whatever is missing or unreadable reads as its default.
    Settings read() const;

    // Rewrites the values of the keys asked for and keeps every other byte of the file; the file
    // is replaced atomically, so a failure leaves the old one intact. Writes of other instances
    // wait for each other, through a lock file beside the file. A value that reads back as
    // the stored one keeps its stored bytes. A value that a line cannot hold keeps its key's old
    // line while the other keys are written, and the failure names it.
    std::optional<FileError> write(const Settings& settings, SettingsKeys keys) const;

private:
    QString m_path;
    PortDevices m_deviceDefaults;
};

// Whether a line of the file can hold the value: a line break (or a NUL, which ends the text for
// many readers) would turn the rest of it into lines of their own.
bool fitsOnSettingsLine(QStringView value);

// $XDG_CONFIG_HOME/Zorvikta.ini, else ~/.config/Zorvikta.ini; the folder is created on write.
QString defaultSettingsFilePath();

} // namespace zorvikta
