// SPDX-License-Identifier: GPL-3.0-or-later
// zvk: run files and the board from the command line.
#include "cli/CommandLineSetup.h"
#include "cli/ProgramArguments.h"
#include "cli/StandardStreams.h"
#include "cli/zvk/Commands.h"
#include "device/SystemSerial.h"
#include "model/RunRecord.h"
#include "storage/FileNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <optional>

using namespace zorvikta;

namespace {

const QString kDescription = QStringLiteral(
    "Run files and the board from the command line.\n"
    "\n"
    "Commands:\n"
    "  show FILE                  channel count, length, speed and step period, then the\n"
    "                             pattern as a grid (channels down, steps across); values out\n"
    "                             of range are flagged\n"
    "  check FILE...              one line per file: its size, ranges and end markers; fails\n"
    "                             when any file does\n"
    "  upload FILE --device DEV   sends the pattern as the program's upload does: low bits\n"
    "                             cleared, end markers from the file's length on; with\n"
    "                             --speed the file's speed follows, as with \"Сразу в блок\"\n"
    "  speed N --device DEV       sends one speed message, N from 5 to 250\n"
    "  ports                      lists the serial devices present, one a line: path (the\n"
    "                             stable /dev/serial/by-id/ name where there is one),\n"
    "                             description, manufacturer, serial number, separated by tabs\n"
    "                             (tabs, line breaks and backslashes within a field escaped\n"
    "                             as \\t, \\n, \\r and \\\\)\n"
    "\n"
    "Exit codes: 0 done, 1 a file or the device failed, 2 usage error.");

// The error text when the arguments do not fit the command, nullopt when they do.
std::optional<QString> usageProblem(const QStringList& arguments, bool hasDevice, bool hasSpeedFlag)
{
    if (arguments.isEmpty())
        return QStringLiteral("no command given");
    const QString& command = arguments.constFirst();
    const qsizetype operands = arguments.size() - 1;
    const bool sends = command == u"upload" || command == u"speed";
    if (command != u"show" && command != u"check" && command != u"ports" && !sends)
        return QStringLiteral("unknown command '%1'").arg(command);
    if (command == u"ports" && operands > 0)
        return QStringLiteral("ports takes no operands");
    if (command == u"check" && operands < 1)
        return QStringLiteral("check needs at least one file");
    if (command != u"check" && command != u"ports" && operands != 1)
        return QStringLiteral("%1 needs exactly one %2")
            .arg(command, command == u"speed" ? QStringLiteral("value") : QStringLiteral("file"));
    if (sends && !hasDevice)
        return QStringLiteral("%1 needs --device").arg(command);
    if (!sends && hasDevice)
        return QStringLiteral("--device goes with upload and speed only");
    if (command != u"upload" && hasSpeedFlag)
        return QStringLiteral("--speed goes with upload only");
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    cli::CommandLineSetup setup(QStringLiteral("zvk"), kDescription);
    QCommandLineParser& parser = setup.parser();
    const QCommandLineOption deviceOption({QStringLiteral("d"), QStringLiteral("device")},
                                          QStringLiteral("The serial device to send to."),
                                          QStringLiteral("device"));
    const QCommandLineOption speedOption(
        {QStringLiteral("s"), QStringLiteral("speed")},
        QStringLiteral("upload: also send the file's speed after the pattern."));
    parser.addOption(deviceOption);
    parser.addOption(speedOption);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("show, check, upload, speed or ports."));
    parser.addPositionalArgument(QStringLiteral("operands"),
                                 QStringLiteral("Files, or the speed value."),
                                 QStringLiteral("[FILE...|N]"));

    if (const auto done = setup.parse())
        return *done;

    const QStringList arguments = parser.positionalArguments();
    const QString device = parser.value(deviceOption);
    if (const auto problem =
            usageProblem(arguments, parser.isSet(deviceOption), parser.isSet(speedOption)))
        return setup.usageError(*problem);
    if (parser.isSet(deviceOption) && device.isEmpty())
        return setup.usageError(QStringLiteral("--device needs a device name"));

    QTextStream out(cli::standardOutput());
    QTextStream err(cli::standardError());
    const QString& command = arguments.constFirst();
    const QStringList operands = arguments.sliced(1);
    const auto link = platform::makeSerialLink();
    // Decoded, such a name would name another file: it is refused by its own bytes instead.
    const QHash<QString, QString> undecodable = platform::undecodableProgramArguments(argc, argv);
    const bool namesFile = command == u"show" || command == u"upload";
    for (const QString& name : {namesFile ? operands.constFirst() : QString(), device}) {
        if (undecodable.contains(name)) {
            err << "zvk: " << undecodable.value(name) << ": " << undecodableNameReason() << '\n';
            return zvk::kExitFailed;
        }
    }

    if (command == u"show")
        return zvk::show(operands.constFirst(), out, err);
    if (command == u"check")
        return zvk::check(operands, undecodable, out);
    if (command == u"ports")
        return zvk::ports(*platform::makeSerialPortSource(), out);
    if (command == u"upload")
        return zvk::upload(operands.constFirst(), device, parser.isSet(speedOption), *link, out,
                           err);

    bool isNumber = false;
    const int value = operands.constFirst().toInt(&isNumber);
    if (!isNumber || value < kMinSpeed || value > kMaxSpeed)
        return setup.usageError(
            QStringLiteral("speed must be a whole number from %1 to %2, not '%3'")
                .arg(kMinSpeed)
                .arg(kMaxSpeed)
                .arg(operands.constFirst()));
    return zvk::speed(static_cast<std::uint8_t>(value), device, *link, out, err);
}
