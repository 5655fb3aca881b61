// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThisSystem.h"

#include "support/PseudoTerminal.h"

#include <cerrno>

namespace zorvikta::test {

QString dotted(const char* name)
{
    return QStringLiteral("./") + QString::fromUtf8(name);
}

QString scratchFoundAtStart()
{
    return dotted("tmp.zvk");
}

PortDevices defaultDevices()
{
    return {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
}

QList<std::pair<const char*, QString>> bareDeviceNames()
{
    // Bare names lead into /dev.
    return {{"listed, bare name", QStringLiteral("ttyACM0")},
            {"not listed but there, bare name", QStringLiteral("null")},
            {"not listed but there, bare path", QStringLiteral("pts/ptmx")}};
}

std::optional<QString> fullDevice()
{
    return QStringLiteral("/dev/full");
}

QString rootFolder()
{
    return QStringLiteral("/");
}

bool refusesLongNames()
{
    // A name is at most 255 bytes.
    return true;
}

bool readsSettingsInACodePage()
{
    return false;
}

bool tipsPlacedByTheDesktop()
{
    return true;
}

std::optional<QString> nameWithARefusedCharacter()
{
    return std::nullopt;
}

int fileAsFolderError()
{
    return ENOTDIR;
}

bool makesSymbolicLinks()
{
    return true;
}

QList<SystemErrorRow> systemErrors()
{
    using Kind = FileError::Kind;
    return {{"ENOENT", ENOENT, Kind::NotFound, QStringLiteral("File not found")},
            {"ENOTDIR", ENOTDIR, Kind::BadPath, QStringLiteral("Invalid filename")},
            {"ENAMETOOLONG", ENAMETOOLONG, Kind::BadPath, QStringLiteral("Invalid filename")},
            {"EACCES", EACCES, Kind::AccessDenied, QStringLiteral("File access denied")},
            // As where the file formats come from.
            {"EISDIR", EISDIR, Kind::AccessDenied, QStringLiteral("File access denied")},
            {"ENOSPC", ENOSPC, Kind::DiskFull, QStringLiteral("Disk full")}};
}

QList<SettingsPlaceRow> settingsPlaces()
{
    // The home folder is set too, so that the expected paths do not depend on the machine.
    const std::pair<const char*, QByteArray> home{"HOME", "/srv/home"};
    const QString fallback = QStringLiteral("/srv/home/.config/Zorvikta.ini");
    return {{"XDG_CONFIG_HOME set",
             {home, {"XDG_CONFIG_HOME", "/srv/cfg"}},
             QStringLiteral("/srv/cfg/Zorvikta.ini")},
            {"XDG_CONFIG_HOME unset", {home, {"XDG_CONFIG_HOME", QByteArray()}}, fallback},
            {"XDG_CONFIG_HOME empty", {home, {"XDG_CONFIG_HOME", ""}}, fallback},
            {"XDG_CONFIG_HOME relative", {home, {"XDG_CONFIG_HOME", "cfg"}}, fallback}};
}

std::optional<QByteArray> earlierSettingsFolderVariable()
{
    return std::nullopt;
}

std::optional<std::pair<QString, QByteArray>> nameInTheOlderCodePage()
{
    return std::nullopt;
}

QList<const char*> desktops()
{
    return {"light", "dark palette", "Adwaita-Dark", "qt6ct darker"};
}

namespace {

class PseudoTerminalEndpoint final : public LineEndpoint {
public:
    QString deviceName() const override { return m_terminal.slaveName(); }
    QByteArray received(int expected, int timeoutMs) override
    {
        return m_terminal.received(expected, timeoutMs);
    }
    bool isOpen() const { return m_terminal.isOpen(); }

private:
    PseudoTerminal m_terminal;
};

} // namespace

std::unique_ptr<LineEndpoint> lineEndpoint()
{
    auto endpoint = std::make_unique<PseudoTerminalEndpoint>();
    if (!endpoint->isOpen())
        return nullptr;
    return endpoint;
}

std::optional<const char*> whyLineEndpointsUnlisted()
{
    return "the port list holds the serial devices the kernel knows, and a pseudo-terminal is none";
}

std::optional<const char*> whyNoPortAliases()
{
    return std::nullopt;
}

QString listedPortPrefix()
{
    return QStringLiteral("/dev/");
}

QList<std::tuple<const char*, QString, QString>> devicePaths()
{
    return {{"bare name", QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0")},
            {"absolute path", QStringLiteral("/dev/ttyACM1"), QStringLiteral("/dev/ttyACM1")},
            {"relative path", QStringLiteral("./port"), QStringLiteral("./port")}};
}

QList<std::tuple<const char*, unsigned long, LinkError::Cause>> portErrorCauses()
{
    return {{"no such device", ENOENT, LinkError::Cause::NotFound},
            {"no access", EACCES, LinkError::Cause::Permission},
            {"held by another program", EBUSY, LinkError::Cause::Busy},
            {"name too long", ENAMETOOLONG, LinkError::Cause::NameTooLong},
            {"device gone mid-way", EIO, LinkError::Cause::Other}};
}

QString absentPort(const QString& folder)
{
    return folder + QStringLiteral("/ttyUSB7");
}

std::optional<const char*> whyNoOverlongNameOnACommandLine()
{
    return std::nullopt;
}

std::optional<const char*> whyNoNamesOutsideUtf8()
{
    return std::nullopt;
}

QString nullDevice()
{
    return QStringLiteral("/dev/null");
}

LinkError::Stage whereNonPortsFail()
{
    return LinkError::Stage::Open;
}

} // namespace zorvikta::test
