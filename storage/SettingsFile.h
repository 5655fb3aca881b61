#pragma once

#include "storage/FileError.h"
#include "storage/PlatformFile.h"

#include <QString>

#include <optional>

namespace zorvikta {

// The settings file's values, initialised to what reading gives for a missing file or key.
struct StoredSettings {
    QString aktive = QStringLiteral("COM 2");         // [ComPort] Aktive
    QString jast = QStringLiteral("err");             // [Speed] Jast
    QString path = QStringLiteral("Tmp.zvk");         // [LastFile] Path
    QString device1 = platform::defaultDeviceName(1); // [ComPort] Device1
    QString device2 = platform::defaultDeviceName(2); // [ComPort] Device2
};

// The INI file that keeps the user's choices between runs. Section and key names match without
// regard to case; values are taken exactly as stored.
class SettingsFile {
public:
    explicit SettingsFile(QString path);

    const QString& path() const;

    // Never fails: whatever is missing or unreadable reads as its default.
    StoredSettings read() const;

    // Replaces our keys and keeps the file's other sections, keys and comments; the file is
    // replaced atomically, so a failure leaves the old one intact.
    std::optional<FileError> write(const StoredSettings& settings) const;

private:
    QString m_path;
};

// $XDG_CONFIG_HOME/Zorvikta.ini, else ~/.config/Zorvikta.ini; the folder is created on write.
QString defaultSettingsFilePath();

} // namespace zorvikta
