// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFile.h"

#include "storage/IniText.h"
#include "storage/PlatformFile.h"

#include <QByteArray>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <utility>

namespace zorvikta {

namespace {

// Anything larger is not a settings file of ours; it is neither loaded whole nor overwritten.
constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;
// A write holds the lock for milliseconds; an instance that holds it longer has stopped.
constexpr int kLockWaitMs = 5000;

struct Key {
    const char* section;
    const char* name;
    // What the user knows the value as, for a failure that names it.
    const char* meaning = "";
};

constexpr Key kPort{"ComPort", "Aktive"};
constexpr Key kSpeedToBox{"Speed", "Jast"};
constexpr Key kLastFile{"LastFile", "Path", "the last file's name"};
constexpr Key kDevice1{"ComPort", "Device1", "the COM 1 device"};
constexpr Key kDevice2{"ComPort", "Device2", "the COM 2 device"};

const QString kPort1 = QStringLiteral("COM 1");
const QString kPort2 = QStringLiteral("COM 2");
const QString kSend = QStringLiteral("Send");
const QString kNoSend = QStringLiteral("no send");
// What reading gives for a missing key.
const QString kPortDefault = kPort2;
const QString kSpeedToBoxDefault = QStringLiteral("err");
const QString kLastFileDefault = QStringLiteral("Tmp.zvk");

// The file's text, or why it cannot be had. Only a regular file has lines to keep.
std::optional<FileError> loadText(const QString& path, QByteArray& text)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    if (auto failure = platform::readFileStart(path, kMaxFileSize + 1, text))
        return failure;
    if (text.size() > kMaxFileSize)
        return fileErrorForErrno(EFBIG);
    return std::nullopt;
}

QString valueOf(const IniText& ini, const Key& key, const QString& fallback)
{
    const std::optional<QByteArray> value = ini.value(key.section, key.name);
    return value ? QString::fromUtf8(*value) : fallback;
}

// The box names the file as the user knows it; the cause keeps the system's reason.
FileError refusedWrite(const QString& path, FileError cause)
{
    cause.message = QStringLiteral("Unable to write to ") + QFileInfo(path).fileName();
    return cause;
}

// The other keys were written; the values named kept their old lines.
FileError valuesNotKept(const QString& path, const QStringList& meanings)
{
    FileError error = fileErrorForErrno(EINVAL);
    error.message = QStringLiteral("Unable to keep %1 in %2")
                        .arg(meanings.join(QStringLiteral(" and ")), QFileInfo(path).fileName());
    error.reason = QStringLiteral("a line break or a NUL character cannot stand in a line of the "
                                  "file; every other setting was written");
    return error;
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
    if (auto failure = platform::createFolders(QFileInfo(m_path).absolutePath()))
        return refusedWrite(m_path, *failure);
    // Another instance may be writing the same file: the read, the change and the write happen
    // under one lock, so that neither undoes what the other has just written. A folder that
    // refuses the lock file, or a lock held far longer than any write takes, does not stop the
    // write.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.tryLock(kLockWaitMs);
    QByteArray text;
    // A file read from elsewhere lends its other lines to the new one.
    if (auto failure = loadText(platform::settingsFileToRead(m_path), text))
        return refusedWrite(m_path, *failure);
    // In this order, which gives a new file its order of sections.
    QList<std::pair<Key, QString>> values{
        {kPort, settings.port == PortChoice::Com1 ? kPort1 : kPort2},
        {kSpeedToBox, settings.speedToBoxAtOnce ? kSend : kNoSend},
        {kLastFile, settings.lastFile},
    };
    if (keys == SettingsKeys::ChoicesAndDevices && m_deviceDefaults)
        values += {{kDevice1, settings.devices.com1}, {kDevice2, settings.devices.com2}};
    IniText ini(text);
    QStringList notKept;
    for (const auto& [key, value] : values) {
        const std::optional<QByteArray> stored = ini.value(key.section, key.name);
        if (stored && QString::fromUtf8(*stored) == value)
            continue;
        if (!fitsOnSettingsLine(value)) {
            notKept << QString::fromLatin1(key.meaning);
            continue;
        }
        ini.setValue(key.section, key.name, value.toUtf8());
    }
    if (auto failure = platform::writeFileContents(m_path, ini.text()))
        return refusedWrite(m_path, *failure);
    if (!notKept.isEmpty())
        return valuesNotKept(m_path, notKept);
    return std::nullopt;
}

bool fitsOnSettingsLine(QStringView value)
{
    return !value.contains(u'\n') && !value.contains(u'\r') && !value.contains(QChar(u'\0'));
}

QString defaultSettingsFilePath()
{
    return platform::settingsFolder() + QStringLiteral("/Zorvikta.ini");
}

} // namespace zorvikta
