// SPDX-License-Identifier: GPL-3.0-or-later
// zorvikta-board: a virtual four-relay board in the terminal, for users without the hardware.
#include "cli/CommandLineSetup.h"
#include "cli/board/Board.h"
#include "cli/board/BoardConsole.h"
#include "cli/board/BoardLine.h"
#include "platform/StopSignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace zorvikta;

namespace {

constexpr int kExitLineFailed = 1;

const QString kDescription = QStringLiteral(
    "Stands in for the four-relay running-lights board: decodes the upload and speed\n"
    "messages that Zorvikta (or zvk) sends and plays the pattern on four lamps in the\n"
    "terminal.\n"
    "\n"
    "Without --device it opens a pseudo-terminal of its own and prints its path: put that\n"
    "path in Device1 (or Device2) of Zorvikta.ini, choose that port in the program and\n"
    "upload.\n"
    "\n"
    "What it assumes of the real board:\n"
    "  - the line runs at 1200 baud, 8 data bits, no parity, 1 stop bit; nothing is sent\n"
    "    back;\n"
    "  - before the first upload the lamps stay dark;\n"
    "  - it starts at speed 230 (250 ms per step) until a speed message arrives;\n"
    "  - each step lasts (255 - speed) x 10 ms; a speed message takes effect at once and\n"
    "    keeps the pattern where it is;\n"
    "  - an upload replaces the pattern and starts it from its first step at the current\n"
    "    speed;\n"
    "  - the pattern is the steps before the first end marker (0x01); an upload with none\n"
    "    before it leaves the lamps dark;\n"
    "  - an upload counts only in the form the program sends: lamp bits alone before the\n"
    "    first end marker, which comes at step 100 or earlier, and end markers alone after\n"
    "    it; a speed counts only from 5 to 250; anything else is skipped whole;\n"
    "  - all four lamps play whatever the channel count, which is never sent;\n"
    "  - bytes that fit no message are dropped up to the next 0xFF, where decoding starts\n"
    "    again; a speed message carrying 0xFE reads as the start of an upload.\n"
    "\n"
    "Ctrl-C ends it.");

int lineFailure(const QString& message)
{
    QTextStream err(stderr);
    err << "zorvikta-board: " << message << '\n';
    return kExitLineFailed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    cli::CommandLineSetup setup(QStringLiteral("zorvikta-board"), kDescription);
    QCommandLineParser& parser = setup.parser();
    const QCommandLineOption deviceOption(
        {QStringLiteral("d"), QStringLiteral("device")},
        QStringLiteral("Listen on an existing serial device instead of a pseudo-terminal."),
        QStringLiteral("device"));
    const QCommandLineOption logOption(
        QStringLiteral("log"),
        QStringLiteral("No lamps: one line per decoded message, steps included, for scripts."));
    parser.addOption(deviceOption);
    parser.addOption(logOption);

    if (const auto done = setup.parse())
        return *done;
    if (!parser.positionalArguments().isEmpty())
        return setup.usageError(QStringLiteral("unexpected argument '%1'")
                                    .arg(parser.positionalArguments().constFirst()));

    StopSignals stopSignals;
    if (const auto error = stopSignals.install())
        return lineFailure(*error);

    BoardLine line;
    const auto error = parser.isSet(deviceOption) ? line.openDevice(parser.value(deviceOption))
                                                  : line.openPseudoTerminal();
    if (error)
        return lineFailure(*error);

    const bool log = parser.isSet(logOption);
    BoardConsole console(log ? BoardConsole::Style::Plain : BoardConsole::styleForStandardOutput());
    Board board(log ? Board::Mode::Log : Board::Mode::Lamps, console);

    console.printLine(QStringLiteral("listening on %1").arg(line.deviceName()));
    if (!log && !parser.isSet(deviceOption)) {
        console.printLine(QStringLiteral(
            "Put this path in Device1 of Zorvikta.ini ([ComPort]), choose \"соединить с COM 1\" "
            "and upload. Ctrl-C ends the board."));
    }

    int exitCode = 0;
    QObject::connect(&line, &BoardLine::bytesArrived, &board, &Board::receive);
    QObject::connect(&line, &BoardLine::lineLost, &app, [&](const QString& reason) {
        console.printLine(QStringLiteral("line lost: %1").arg(reason));
        exitCode = kExitLineFailed;
        QCoreApplication::quit();
    });
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &app, &QCoreApplication::quit);

    board.start();
    app.exec();
    board.finish();
    console.close();
    return exitCode;
}
