// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LinkError.h"
#include "device/Ports.h"
#include "storage/FileError.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <tuple>
#include <utility>

// What the shared tests expect of the system they run on, one file per system, so that one test
// program holds the rows of both.
namespace zorvikta::test {

// A name in the working folder as the user's system writes it, in the caption and the settings.
QString dotted(const char* name);

// The name a start gives the tmp.zvk it finds in the folder: where names ignore case, as on
// Windows, the settings' default "Tmp.zvk" is that very file; elsewhere the scratch name is taken.
QString scratchFoundAtStart();

// The devices "COM 1" and "COM 2" mean until the user chooses others.
PortDevices defaultDevices();

// Names without a folder that lead to a device present on every machine of the system, with the
// row names of their cases; none where such a name means no file.
QList<std::pair<const char*, QString>> bareDeviceNames();

// A device that fails every write as a full disk does; none where the system has no such device.
std::optional<QString> fullDevice();

// The root of absolute names: "/", or a drive's "C:/".
QString rootFolder();

// Whether a name of 300 characters in one folder is refused before any file is looked for under
// it; where the system hands such a name on, what comes back depends on the file system.
bool refusesLongNames();

// Whether a settings value that is not UTF-8 is read in the code page older programs wrote
// instead of being refused.
bool readsSettingsInACodePage();

// Whether a tool tip appears where the desktop puts it, so that a test can see it whole; under
// Wine, Wine places it.
bool tipsPlacedByTheDesktop();

// A file name with a character the system refuses in names; none where only the slash and NUL
// are refused, which every system shares.
std::optional<QString> nameWithARefusedCharacter();

// The errno value of the failure the system reports for a name under a regular file, as if that
// file were a folder.
int fileAsFolderError();

// Whether QFile::link makes a symbolic link that saves and loads go through to its target.
bool makesSymbolicLinks();

// An error code of the system's own, and the kind and message the user meets for it.
struct SystemErrorRow {
    const char* tag;
    unsigned long code;
    FileError::Kind kind;
    QString message;
};
QList<SystemErrorRow> systemErrors();

// Where the settings file is by default, once `environment` is set (a null value unsets).
struct SettingsPlaceRow {
    const char* tag;
    QList<std::pair<const char*, QByteArray>> environment;
    QString expected;
};
QList<SettingsPlaceRow> settingsPlaces();

// The environment variable naming the folder that held the settings before each user had a file
// of their own; none where they always lived with the user.
std::optional<QByteArray> earlierSettingsFolderVariable();

// A file name and its bytes in the code page older programs wrote settings in, bytes that are not
// UTF-8; none where the system has no such code page, or it holds no letters beyond ASCII.
std::optional<std::pair<QString, QByteArray>> nameInTheOlderCodePage();

// The looks users' desktops give programs on the system: its own style and common themes.
QList<const char*> desktops();

// The board's end of a serial line: the program opens the line by deviceName(), and what it
// sends there arrives here. On POSIX a pseudo-terminal; under Wine a COM port mapped to one,
// joined to a second port the test reads.
class LineEndpoint {
public:
    virtual ~LineEndpoint() = default;
    virtual QString deviceName() const = 0;
    // Waits up to `timeoutMs` for `expected` bytes (for any byte at all when `expected` is 0),
    // then takes whatever follows at once, so surplus bytes show too.
    virtual QByteArray received(int expected, int timeoutMs) = 0;
};

// A new line endpoint; null when the system has none left to give.
std::unique_ptr<LineEndpoint> lineEndpoint();

// Why the system's port list leaves a line endpoint out; none where it lists it.
std::optional<const char*> whyLineEndpointsUnlisted();

// Why the port list offers no stable names by a folder of links; none where it does.
std::optional<const char*> whyNoPortAliases();

// The beginning every name in the system's port list has.
QString listedPortPrefix();

// Device names the user may type, the full path the link opens for each, and the row names.
QList<std::tuple<const char*, QString, QString>> devicePaths();

// The system's own error codes from opening a port, with the cause the user is told.
QList<std::tuple<const char*, unsigned long, LinkError::Cause>> portErrorCauses();

// A port name that leads to no device, for names under `folder` where the system has folders of
// devices.
QString absentPort(const QString& folder);

// Why a command line here cannot carry a name longer than the system allows; none where it can.
std::optional<const char*> whyNoOverlongNameOnACommandLine();

// Why no file name here can hold bytes that are not UTF-8; none where a name is any bytes.
std::optional<const char*> whyNoNamesOutsideUtf8();

// The system's device that takes every byte and is no serial port.
QString nullDevice();

// Where a transfer to a file or device that is no serial port fails: at the open, or where the
// system opens anything and only the line settings find out.
LinkError::Stage whereNonPortsFail();

} // namespace zorvikta::test
