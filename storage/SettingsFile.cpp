#include "storage/SettingsFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <SimpleIni.h>

#include <array>
#include <cerrno>
#include <string>
#include <utility>

namespace zorvikta {

namespace {

// Anything larger is not a settings file of ours; it is neither loaded whole nor overwritten.
constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;

struct Entry {
    const char* section;
    const char* key;
    QString StoredSettings::*field;
    bool device;
};

// In the order written, which gives a new file its section order.
constexpr std::array kEntries{
    Entry{"ComPort", "Aktive", &StoredSettings::aktive, false},
    Entry{"Speed", "Jast", &StoredSettings::jast, false},
    Entry{"LastFile", "Path", &StoredSettings::path, false},
    Entry{"ComPort", "Device1", &StoredSettings::device1, true},
    Entry{"ComPort", "Device2", &StoredSettings::device2, true},
};

bool isStored(const Entry& entry)
{
    return !entry.device || platform::deviceNamesConfigurable();
}

// Duplicate keys are all loaded, so that the first one can win on reading and a write can
// replace every one of them by a single key.
CSimpleIniA makeIni()
{
    return CSimpleIniA(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false);
}

// SimpleIni looks for a header's closing bracket past the end of its line, so an unclosed header
// would swallow the lines after it and grow with every save; such a line is kept as a comment.
// Line ends are made plain first: a lone carriage return ends a line for SimpleIni too.
QByteArray withClosedHeaders(QByteArray text)
{
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QByteArrayList lines = text.split('\n');
    for (QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[') && !trimmed.contains(']'))
            line.prepend(';');
    }
    return lines.join('\n');
}

// Loads the file at `path`; false when there is a file but its text cannot be had. Only a
// regular file has lines to keep. SimpleIni stops reading at a NUL byte, so NUL bytes are read
// as line breaks and what follows them still counts. Whatever it cannot read as a section, key
// or comment (binary garbage, a stray word, an unclosed bracket) is dropped by the next write,
// which keeps everything else.
bool loadText(CSimpleIniA& ini, const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return true;
    }
    QByteArray text;
    if (platform::readFileStart(path, kMaxFileSize + 1, text) || text.size() > kMaxFileSize) {
        return false;
    }
    text.replace('\0', '\n');
    text = withClosedHeaders(text);
    return ini.LoadData(text.constData(), static_cast<size_t>(text.size())) >= 0;
}

// The first value of the key in file order, or `fallback`.
QString firstValue(const CSimpleIniA& ini, const Entry& entry, const QString& fallback)
{
    CSimpleIniA::TNamesDepend values;
    if (!ini.GetAllValues(entry.section, entry.key, values) || values.empty()) {
        return fallback;
    }
    values.sort(CSimpleIniA::Entry::LoadOrder());
    return QString::fromUtf8(values.front().pItem);
}

// An INI value is one line; a line break (or a NUL, where the text would end) would turn the
// rest of the value into lines of its own.
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

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

const QString& SettingsFile::path() const
{
    return m_path;
}

StoredSettings SettingsFile::read() const
{
    CSimpleIniA ini = makeIni();
    loadText(ini, m_path);
    StoredSettings settings;
    for (const Entry& entry : kEntries) {
        if (isStored(entry)) {
            settings.*entry.field = firstValue(ini, entry, settings.*entry.field);
        }
    }
    return settings;
}

std::optional<FileError> SettingsFile::write(const StoredSettings& settings) const
{
    const FileError refused = refusedWrite(m_path, fileErrorForErrno(EINVAL));
    CSimpleIniA ini = makeIni();
    if (!loadText(ini, m_path)) {
        return refused;
    }
    ini.SetSpaces(false);
    for (const Entry& entry : kEntries) {
        if (!isStored(entry)) {
            continue;
        }
        const QByteArray value = (settings.*entry.field).toUtf8();
        if (!fitsOnOneLine(value) || ini.SetValue(entry.section, entry.key, value.constData(),
                                                  nullptr, /*a_bForceReplace=*/true) < 0) {
            return refused;
        }
    }
    std::string text;
    if (ini.Save(text) < 0) {
        return refused;
    }
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        return refusedWrite(m_path, fileErrorForErrno(EACCES));
    }
    if (auto failure =
            platform::writeFileContents(m_path, QByteArrayView(text.data(), text.size()))) {
        return refusedWrite(m_path, *failure);
    }
    return std::nullopt;
}

QString defaultSettingsFilePath()
{
    return platform::settingsFolder() + QStringLiteral("/Zorvikta.ini");
}

} // namespace zorvikta
