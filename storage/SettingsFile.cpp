// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFile.h"

#include "storage/FileAccess.h"
#include "storage/IniText.h"
#include "storage/SettingsFolder.h"

#include <QByteArray>
#include <QFileInfo>
#include <QLockFile>
#include <QUtf8StringView>

#include <cerrno>
#include <utility>

namespace zorvikta {

namespace {

// Anything larger is not a settings file of ours; it is neither loaded whole nor overwritten.
constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;
// A write holds the lock for milliseconds; an instance that holds it longer is stuck, or keeps
// it on purpose, and the window must not wait on it.
constexpr int kLockWaitMs = 1000;

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
    if (auto failure = files::readFileStart(path, kMaxFileSize + 1, text))
        return failure;
    if (text.size() > kMaxFileSize)
        return fileErrorForErrno(EFBIG);
    return std::nullopt;
}

bool isUtf8(QByteArrayView bytes)
{
    return QUtf8StringView(bytes).isValidUtf8();
}

// A value as text: UTF-8, or, in a file that is not UTF-8 as a whole, the code page that older
// programs wrote it in, where the system has one. Nothing for a value that is neither.
std::optional<QString> textOf(const QByteArray& value, bool fileIsUtf8)
{
    if (!fileIsUtf8) {
        if (std::optional<QString> legacy = platform::legacyCodePageText(value))
            return legacy;
    }
    if (!isUtf8(value))
        return std::nullopt;
    return QString::fromUtf8(value);
}

// The settings as read. A value that is not text reads with replacement characters, as the one
// form that a write gives back unchanged.
class SettingsText {
public:
    explicit SettingsText(QByteArray text) : m_ini(text), m_isUtf8(isUtf8(text)) {}

    QString value(const Key& key, const QString& fallback) const
    {
        const std::optional<QByteArray> stored = m_ini.value(key.section, key.name);
        if (!stored)
            return fallback;
        return textOf(*stored, m_isUtf8).value_or(QString::fromUtf8(*stored));
    }

    // Why the value cannot name a file, read as bytes: not text, a NUL, too long.
    std::optional<FileError> refusalOfName(const Key& key) const
    {
        const std::optional<QByteArray> stored = m_ini.value(key.section, key.name);
        if (!stored)
            return std::nullopt;
        if (const std::optional<QString> text = textOf(*stored, m_isUtf8))
            return files::refusalOfFileName(*text);
        return files::refusalOfSystemFileName(*stored);
    }

private:
    IniText m_ini;
    bool m_isUtf8;
};

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

SettingsFile::SettingsFile(QString path, PortDevices deviceDefaults)
    : m_path(std::move(path)), m_deviceDefaults(std::move(deviceDefaults))
{}

const QString& SettingsFile::path() const
{
    return m_path;
}

Settings SettingsFile::read() const
{
    QByteArray bytes;
    loadText(platform::settingsFileToRead(m_path), bytes);
    const SettingsText text(bytes);
    Settings settings;
    settings.port = text.value(kPort, kPortDefault) == kPort1 ? PortChoice::Com1 : PortChoice::Com2;
    settings.speedToBoxAtOnce = text.value(kSpeedToBox, kSpeedToBoxDefault) == kSend;
    settings.lastFile = text.value(kLastFile, kLastFileDefault);
    settings.lastFileRefusal = text.refusalOfName(kLastFile);
    settings.devices = {text.value(kDevice1, m_deviceDefaults.com1),
                        text.value(kDevice2, m_deviceDefaults.com2)};
    return settings;
}

std::optional<FileError> SettingsFile::write(const Settings& settings, SettingsKeys keys) const
{
    if (auto failure = files::createFolders(QFileInfo(m_path).absolutePath()))
        return refusedWrite(m_path, *failure);
    // Another instance may be writing the same file: the read, the change and the write happen
    // under one lock, so that neither undoes what the other has just written. A folder that
    // refuses the lock file, or a lock held longer than any write takes, does not stop the
    // write.
    // The lock file is waited on only while it is a regular file of the user's; anything else
    // put under its name would keep every write waiting.
    const QString lockPath = m_path + QStringLiteral(".lock");
    files::removeUnlessOwnRegularFile(lockPath);
    QLockFile lock(lockPath);
    lock.tryLock(kLockWaitMs);
    QByteArray text;
    // A file read from elsewhere lends its other lines to the new one.
    if (auto failure = loadText(platform::settingsFileToRead(m_path), text))
        return refusedWrite(m_path, *failure);
    // The user's own file is UTF-8, so one that an older program wrote in its code page is
    // carried over whole, or the values written now would be misread with it.
    if (!isUtf8(text)) {
        if (const std::optional<QString> legacy = platform::legacyCodePageText(text))
            text = legacy->toUtf8();
    }
    // In this order, which gives a new file its order of sections.
    QList<std::pair<Key, QString>> values{
        {kPort, settings.port == PortChoice::Com1 ? kPort1 : kPort2},
        {kSpeedToBox, settings.speedToBoxAtOnce ? kSend : kNoSend},
        {kLastFile, settings.lastFile},
    };
    if (keys == SettingsKeys::ChoicesAndDevices)
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
    // Padded with blank lines where written in place, so that a cut before the trim still reads
    // as the new settings.
    if (auto failure = files::writeFileContents(m_path, ini.text(), files::SaveName::BuiltIn, '\n'))
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
