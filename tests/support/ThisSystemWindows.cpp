// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThisSystem.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QList>

#include <array>
#include <cerrno>
#include <vector>

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

namespace {

// Short enough not to slow the suite, long enough for bytes of the same write to follow.
constexpr int kSurplusWaitMs = 50;
constexpr DWORD kPollMs = 5;

// The pairs of ports the test's runner joined, "COM7=COM17;COM8=COM18": the program's port, then
// the one the test reads what it sent from.
QList<std::pair<QString, QString>> joinedPorts()
{
    QList<std::pair<QString, QString>> pairs;
    const QStringList entries =
        qEnvironmentVariable("ZORVIKTA_JOINED_PORTS").split(u';', Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const QStringList ports = entry.split(u'=');
        if (ports.size() == 2)
            pairs.append({ports.at(0), ports.at(1)});
    }
    return pairs;
}

std::vector<bool>& pairsInUse()
{
    static std::vector<bool> inUse;
    return inUse;
}

// The test's side of a joined pair, opened so that a read takes what is there and returns. The
// line's settings stay as the null modem made them: raw, its bytes passed on as they are.
HANDLE openPeer(const QString& port)
{
    const QString path = QStringLiteral("\\\\.\\") + port;
    const HANDLE peer =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (peer == INVALID_HANDLE_VALUE)
        return peer;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    if (!::SetCommTimeouts(peer, &timeouts)) {
        ::CloseHandle(peer);
        return INVALID_HANDLE_VALUE;
    }
    // Whatever an earlier test left on the line is not this one's.
    ::PurgeComm(peer, PURGE_RXCLEAR);
    return peer;
}

class JoinedPortEndpoint final : public LineEndpoint {
public:
    JoinedPortEndpoint(std::size_t pair, QString port, HANDLE peer)
        : m_pair(pair), m_port(std::move(port)), m_peer(peer)
    {}
    ~JoinedPortEndpoint() override
    {
        ::CloseHandle(m_peer);
        pairsInUse()[m_pair] = false;
    }
    JoinedPortEndpoint(const JoinedPortEndpoint&) = delete;
    JoinedPortEndpoint& operator=(const JoinedPortEndpoint&) = delete;

    QString deviceName() const override { return m_port; }

    QByteArray received(int expected, int timeoutMs) override
    {
        QByteArray bytes;
        const QDeadlineTimer deadline(timeoutMs);
        QDeadlineTimer surplus;
        for (;;) {
            std::array<char, 512> chunk{};
            DWORD count = 0;
            if (!::ReadFile(m_peer, chunk.data(), static_cast<DWORD>(chunk.size()), &count,
                            nullptr))
                return bytes;
            const bool enough = bytes.size() >= qMax(expected, 1);
            if (count > 0) {
                bytes.append(chunk.data(), static_cast<qsizetype>(count));
                if (bytes.size() >= qMax(expected, 1))
                    surplus.setRemainingTime(kSurplusWaitMs);
                continue;
            }
            if (enough ? surplus.hasExpired() : deadline.hasExpired())
                return bytes;
            ::Sleep(kPollMs);
        }
    }

private:
    std::size_t m_pair;
    QString m_port;
    HANDLE m_peer;
};

} // namespace

std::unique_ptr<LineEndpoint> lineEndpoint()
{
    const QList<std::pair<QString, QString>> pairs = joinedPorts();
    std::vector<bool>& inUse = pairsInUse();
    inUse.resize(static_cast<std::size_t>(pairs.size()), false);
    for (std::size_t pair = 0; pair < inUse.size(); ++pair) {
        if (inUse[pair])
            continue;
        const auto& [port, peerPort] = pairs.at(static_cast<qsizetype>(pair));
        const HANDLE peer = openPeer(peerPort);
        if (peer == INVALID_HANDLE_VALUE)
            return nullptr;
        inUse[pair] = true;
        return std::make_unique<JoinedPortEndpoint>(pair, port, peer);
    }
    return nullptr;
}

std::optional<const char*> whyLineEndpointsUnlisted()
{
    return std::nullopt;
}

std::optional<const char*> whyNoPortAliases()
{
    return "Windows keeps no links to its ports: the COM names are what the user chooses by";
}

QString listedPortPrefix()
{
    return QStringLiteral("COM");
}

QList<std::tuple<const char*, QString, QString>> devicePaths()
{
    return {
        {"COM1", QStringLiteral("COM1"), QStringLiteral("\\\\.\\COM1")},
        // Only this form reaches two-digit ports.
        {"COM10", QStringLiteral("COM10"), QStringLiteral("\\\\.\\COM10")},
        {"already a device path", QStringLiteral("\\\\.\\COM7"), QStringLiteral("\\\\.\\COM7")}};
}

QList<std::tuple<const char*, unsigned long, LinkError::Cause>> portErrorCauses()
{
    return {{"no such port", ERROR_FILE_NOT_FOUND, LinkError::Cause::NotFound},
            {"held by another program", ERROR_ACCESS_DENIED, LinkError::Cause::Busy},
            {"sharing violation", ERROR_SHARING_VIOLATION, LinkError::Cause::Busy},
            {"name too long", ERROR_FILENAME_EXCED_RANGE, LinkError::Cause::NameTooLong},
            {"device gone mid-way", ERROR_GEN_FAILURE, LinkError::Cause::Other}};
}

QString absentPort(const QString&)
{
    // Ports have no folder here.
    return QStringLiteral("COM219");
}

std::optional<const char*> whyNoOverlongNameOnACommandLine()
{
    return "a command line holds 32767 characters at most, as many as the longest name";
}

std::optional<const char*> whyNoNamesOutsideUtf8()
{
    return "a name is UTF-16 here, and the tools take it so";
}

QString nullDevice()
{
    return QStringLiteral("NUL");
}

LinkError::Stage whereNonPortsFail()
{
    return LinkError::Stage::Configure;
}

} // namespace zorvikta::test
