// SPDX-License-Identifier: GPL-3.0-or-later
// Windows implementation of the platform functions.
#include "storage/PlatformFile.h"

#include "storage/WindowsErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <utility>

#include <windows.h>

namespace zorvikta::platform {

namespace {

constexpr int kTempNameAttempts = 100;
constexpr DWORD kReadChunk = 65536;
// A temporary file of ours this old belongs to no save still under way: its program was killed.
constexpr qint64 kStaleTempSeconds = 60;
const QString kTempPrefix = QStringLiteral(".zorvikta-");
const QString kTempSuffix = QStringLiteral(".tmp");

FileError lastError()
{
    return fileErrorForWindows(::GetLastError());
}

std::wstring native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Closes the handle when it goes; the failure of a close is checked where it matters.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close()
    {
        const HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

// False with the system's error set when a write fails or makes no progress (a full disk).
bool writeAll(HANDLE file, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<qsizetype>(left, MAXDWORD));
        if (!::WriteFile(file, data, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool isOurTempName(const QString& name)
{
    if (!name.startsWith(kTempPrefix) || !name.endsWith(kTempSuffix))
        return false;
    const QString number = name.sliced(kTempPrefix.size()).chopped(kTempSuffix.size());
    return !number.isEmpty() && std::all_of(number.cbegin(), number.cend(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
    });
}

// Removes the temporary files a killed save left in `folder`; a younger one may belong to a save
// of another instance that is still writing it.
void removeStaleTempFiles(const QString& folder)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {kTempPrefix + u'*' + kTempSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (isOurTempName(entry.fileName()) && entry.lastModified().secsTo(now) > kStaleTempSeconds)
            ::DeleteFileW(native(entry.filePath()).c_str());
    }
}

// Creates a new, empty file in `folder` under a name nobody else uses.
HANDLE createTempFile(const QString& folder, QString& tempPath)
{
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath = folder + u'/' + kTempPrefix +
                   QString::number(QRandomGenerator::global()->generate64(), 16) + kTempSuffix;
        const HANDLE file = ::CreateFileW(native(tempPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes into the existing file itself, the one way left where its folder refuses new files.
std::optional<FileError> writeInPlace(const QString& target, QByteArrayView bytes)
{
    Handle file(::CreateFileW(native(target).c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastError();
    if (!writeAll(file.get(), bytes) || !::FlushFileBuffers(file.get()) || !file.close())
        return lastError();
    return std::nullopt;
}

// Writes the whole content to a flushed temporary file in the same folder and moves it over
// `target` in one step, so a failure at any point leaves the old file as it was.
std::optional<FileError> replaceAtomically(const QString& target, QByteArrayView bytes,
                                           bool targetExists)
{
    const QString folder = QFileInfo(target).absolutePath();
    removeStaleTempFiles(folder);
    QString tempPath;
    Handle file(createTempFile(folder, tempPath));
    if (!file.valid()) {
        const DWORD refusal = ::GetLastError();
        if (targetExists && refusal == ERROR_ACCESS_DENIED)
            return writeInPlace(target, bytes);
        return fileErrorForWindows(refusal);
    }
    const bool written = writeAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    DWORD failure = written ? ERROR_SUCCESS : ::GetLastError();
    if (!file.close() && failure == ERROR_SUCCESS)
        failure = ::GetLastError();
    if (failure == ERROR_SUCCESS &&
        !::MoveFileExW(native(tempPath).c_str(), native(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = ::GetLastError();
    if (failure != ERROR_SUCCESS) {
        ::DeleteFileW(native(tempPath).c_str());
        return fileErrorForWindows(failure);
    }
    return std::nullopt;
}

// The folder for programs' roaming data: Qt adds the organisation's and the program's names,
// which differ between the window and zvk, while both share one settings file.
QString roamingDataFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    for (const QString& added :
         {QCoreApplication::applicationName(), QCoreApplication::organizationName()}) {
        if (!added.isEmpty() && folder.endsWith(u'/' + added))
            folder.chop(added.size() + 1);
    }
    return folder;
}

} // namespace

std::optional<FileError> readFileStart(const QString& path, qsizetype limit, QByteArray& bytes)
{
    Handle file(::CreateFileW(native(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastError();
    QByteArray content;
    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    while (content.size() < limit) {
        const auto wanted =
            static_cast<DWORD>(std::min<qsizetype>(kReadChunk, limit - content.size()));
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk.data(), wanted, &got, nullptr))
            return lastError();
        if (got == 0)
            break;
        content.append(chunk.constData(), got);
    }
    bytes = content;
    return std::nullopt;
}

std::optional<FileError> writeFileContents(const QString& path, QByteArrayView bytes)
{
    const DWORD attributes = ::GetFileAttributesW(native(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return lastError();
        return replaceAtomically(path, bytes, /*targetExists=*/false);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return fileErrorForWindows(ERROR_ACCESS_DENIED);
    // A move would replace a file marked read-only; refuse before writing anything.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return fileErrorForWindows(ERROR_ACCESS_DENIED);
    return replaceAtomically(path, bytes, /*targetExists=*/true);
}

bool nothingAt(const QString& path)
{
    if (::GetFileAttributesW(native(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<FileError> createFolders(const QString& path)
{
    // The missing folders from the outermost in; one that appears meanwhile is as good.
    QStringList missing;
    for (QString folder = QDir::cleanPath(path); nothingAt(folder);) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    for (const QString& folder : std::as_const(missing)) {
        if (!::CreateDirectoryW(native(folder).c_str(), nullptr) &&
            ::GetLastError() != ERROR_ALREADY_EXISTS)
            return lastError();
    }
    return std::nullopt;
}

QString settingsFolder()
{
    return roamingDataFolder() + QStringLiteral("/Zorvikta");
}

QString settingsFileToRead(const QString& path)
{
    // Zorvikta.ini in the Windows folder is where the settings were kept before they moved to
    // each user's own folder; it is read until the user's own file exists, and never written.
    const QString windowsFolder = qEnvironmentVariable("WINDIR");
    if (windowsFolder.isEmpty() || QFileInfo::exists(path) ||
        QFileInfo(path).absolutePath() != settingsFolder())
        return path;
    const QString earlier = QDir(windowsFolder).filePath(QFileInfo(path).fileName());
    return QFileInfo::exists(earlier) ? earlier : path;
}

} // namespace zorvikta::platform
