// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFile.h"

#include "storage/IniText.h"
#include "storage/PlatformFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <utility>

namespace zorvikta {

namespace {

// Anything larger is not a settings file of ours; it is neither loaded whole nor overwritten.
constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;

struct Key {
    const char* section;
    const char* name;
};

constexpr Key kPort{"ComPort", "Aktive"};
constexpr Key kSpeedToBox{"Speed", "Jast"};
constexpr Key kLastFile{"LastFile", "Path"};
constexpr Key kDevice1{"ComPort", "Device1"};
constexpr Key kDevice2{"ComPort", "Device2"};

const QString kPort1 = QStringLiteral("COM 1");
const QString kPort2 = QStringLiteral("COM 2");
const QString kSend = QStringLiteral("Send");
const QString kNoSend = QStringLiteral("no send");
// What reading gives for a missing key.
const QString kPortDefault = kPort2;
const QString kSpeedToBoxDefault = QStringLiteral("err");
const QString kLastFileDefault = QStringLiteral("Tmp.zvk");

// The file's text; false when there is a file but its text cannot be had. Only a regular file
// has lines to keep.
bool loadText(const QString& path, QByteArray& text)
{
    if (!QFileInfo(path).isFile())
        return true;
    return !platform::readFileStart(path, kMaxFileSize + 1, text) && text.size() <= kMaxFileSize;
}

QString valueOf(const IniText& ini, const Key& key, const QString& fallback)
{
    const std::optional<QByteArray> value = ini.value(key.section, key.name);
    return value ? QString::fromUtf8(*value) : fallback;
}

// An INI value is one line; a line break (or a NUL, which ends the text for many readers) would
// turn the rest of the value into lines of its own.
bool fitsOnOneLine(const QByteArray& value)
{
    return !value.contains('\n') && !value.contains('\r') && !value.contains('\0');
}

// The box names the file as the user knows it; the cause keeps the system's reason.
FileError refusedWrite(const QString& path, FileError cause)
{
    cause.message = QStringLiteral("Unable to write to ") + QFileInfo(path).fileName();
    return cause;
}

} // namespace

SettingsFile::SettingsFile(QString path, std::optional<PortDevices> deviceDefaults)
    : m_path(std::move(path)), m_deviceDefaults(std::move(deviceDefaults))
{}

const QString& SettingsFile::path() const
{
    return m_path;
}

Settings SettingsFile::read() const
{
    QByteArray text;
    loadText(platform::settingsFileToRead(m_path), text);
    const IniText ini(text);
    Settings settings;
    settings.port =
        valueOf(ini, kPort, kPortDefault) == kPort1 ? PortChoice::Com1 : PortChoice::Com2;
    settings.speedToBoxAtOnce = valueOf(ini, kSpeedToBox, kSpeedToBoxDefault) == kSend;
    settings.lastFile = valueOf(ini, kLastFile, kLastFileDefault);
    if (m_deviceDefaults)
        settings.devices = {valueOf(ini, kDevice1, m_deviceDefaults->com1),
                            valueOf(ini, kDevice2, m_deviceDefaults->com2)};
    return settings;
}

std::optional<FileError> SettingsFile::write(const Settings& settings, SettingsKeys keys) const
{
    const FileError refused = refusedWrite(m_path, fileErrorForErrno(EINVAL));
    QByteArray text;
    // A file read from elsewhere lends its other lines to the new one.
    if (!loadText(platform::settingsFileToRead(m_path), text))
        return refused;
    // In this order, which gives a new file its order of sections.
    QList<std::pair<Key, QString>> values{
        {kPort, settings.port == PortChoice::Com1 ? kPort1 : kPort2},
        {kSpeedToBox, settings.speedToBoxAtOnce ? kSend : kNoSend},
        {kLastFile, settings.lastFile},
    };
    if (keys == SettingsKeys::ChoicesAndDevices && m_deviceDefaults)
        values += {{kDevice1, settings.devices.com1}, {kDevice2, settings.devices.com2}};
    IniText ini(text);
    for (const auto& [key, value] : values) {
        const QByteArray bytes = value.toUtf8();
        if (!fitsOnOneLine(bytes))
            return refused;
        ini.setValue(key.section, key.name, bytes);
    }
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return refusedWrite(m_path, fileErrorForErrno(EACCES));
    if (auto failure = platform::writeFileContents(m_path, ini.text()))
        return refusedWrite(m_path, *failure);
    return std::nullopt;
}

QString defaultSettingsFilePath()
{
    return platform::settingsFolder() + QStringLiteral("/Zorvikta.ini");
}

} // namespace zorvikta
