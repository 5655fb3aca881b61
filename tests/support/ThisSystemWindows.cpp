// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThisSystem.h"

#include <QDir>

#include <cerrno>

#include <windows.h>

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

std::optional<QString> nameWithARefusedCharacter()
{
    return QStringLiteral("a<b>.zvk");
}

int fileAsFolderError()
{
    // Windows looks for the folder, finds none and says the path is not found.
    return ENOENT;
}

bool makesSymbolicLinks()
{
    // It makes a shortcut, and a link under a save's name is opened itself, never followed.
    return false;
}

QList<SystemErrorRow> systemErrors()
{
    using Kind = FileError::Kind;
    const QString notFound = QStringLiteral("File not found");
    const QString invalid = QStringLiteral("Invalid filename");
    const QString denied = QStringLiteral("File access denied");
    const QString full = QStringLiteral("Disk full");
    return {{"file not found", ERROR_FILE_NOT_FOUND, Kind::NotFound, notFound},
            {"path not found", ERROR_PATH_NOT_FOUND, Kind::NotFound, notFound},
            {"invalid name", ERROR_INVALID_NAME, Kind::BadPath, invalid},
            {"name too long", ERROR_FILENAME_EXCED_RANGE, Kind::BadPath, invalid},
            {"too many files", ERROR_TOO_MANY_OPEN_FILES, Kind::TooManyFiles,
             QStringLiteral("Too many open files")},
            {"access denied", ERROR_ACCESS_DENIED, Kind::AccessDenied, denied},
            {"held by another program", ERROR_SHARING_VIOLATION, Kind::AccessDenied, denied},
            {"write-protected disk", ERROR_WRITE_PROTECT, Kind::AccessDenied, denied},
            {"disk full", ERROR_DISK_FULL, Kind::DiskFull, full},
            {"handle disk full", ERROR_HANDLE_DISK_FULL, Kind::DiskFull, full},
            // Errors without a counterpart read as the input/output error of elsewhere.
            {"data error", ERROR_CRC, Kind::Other, QStringLiteral("I/O error 5")}};
}

QList<SettingsPlaceRow> settingsPlaces()
{
    // Among the user's roaming data, never in the Windows folder where the settings once were.
    return {{"the user's roaming data",
             {},
             QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")) +
                 QStringLiteral("/Zorvikta/Zorvikta.ini")}};
}

std::optional<QByteArray> earlierSettingsFolderVariable()
{
    return QByteArrayLiteral("WINDIR");
}

std::optional<std::pair<QString, QByteArray>> nameInTheOlderCodePage()
{
    // The ANSI code page: Cyrillic where it has it, Latin letters with accents where it has those.
    if (::GetACP() == CP_UTF8)
        return std::nullopt;
    for (const QString& name :
         {QStringLiteral("C:\\Проекты\\старый.zvk"), QStringLiteral("C:\\Café\\Ärger.zvk")}) {
        const auto* wide = reinterpret_cast<const wchar_t*>(name.utf16());
        const int length = static_cast<int>(name.size());
        BOOL lost = FALSE;
        const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr,
                                               0, nullptr, &lost);
        if (lost)
            continue;
        QByteArray bytes(size, Qt::Uninitialized);
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), size, nullptr, nullptr);
        return std::pair{name, bytes};
    }
    return std::nullopt;
}

QList<const char*> desktops()
{
    return {"light", "dark palette", "windowsvista"};
}

} // namespace zorvikta::test
