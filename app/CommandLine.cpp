// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QDir>

namespace zorvikta {

namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("Print this help and exit."));
const QCommandLineOption kVersion({QStringLiteral("v"), QStringLiteral("version")},
                                  QStringLiteral("Print the version and exit."));

} // namespace

StartRequest parseCommandLine(const QStringList& arguments, const QString& workingDirectory)
{
    QCommandLineParser parser;
    parser.addOptions({kHelp, kVersion});
    // "-version" is a misspelt "--version", not the letters v, e, r...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const bool parsed = parser.parse(arguments);

    StartRequest request;
    if (parser.isSet(kHelp)) {
        request.action = StartRequest::Action::PrintHelp;
        return request;
    }
    if (parser.isSet(kVersion)) {
        request.action = StartRequest::Action::PrintVersion;
        return request;
    }
    if (!parsed) {
        request.action = StartRequest::Action::UsageError;
        request.message = parser.errorText();
        return request;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return request;
    request.file = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(positional.takeFirst()));
    request.ignored = positional;
    return request;
}

QString helpText()
{
    QString text = QStringLiteral("Usage: zorvikta [options] [FILE]\n"
                                  "Editor and emulator for relay running-light patterns.\n"
                                  "\n"
                                  "Options:\n");
    for (const QCommandLineOption& option : {kHelp, kVersion}) {
        const QStringList names = option.names();
        text += QStringLiteral("  -%1, --%2")
                    .arg(names.constFirst(), names.constLast())
                    .leftJustified(17) +
                option.description() + u'\n';
    }
    return text + QStringLiteral(
                      "\n"
                      "Arguments:\n"
                      "  FILE           The run file (.zvk) to open instead of the last one; a\n"
                      "                 file that does not exist yet becomes the current file,\n"
                      "                 for Save As to create.\n");
}

QString versionText()
{
    return QStringLiteral("zorvikta " ZORVIKTA_VERSION "\n");
}

QString ignoredArgumentsLine(const QStringList& ignored)
{
    return QStringLiteral("zorvikta: one file at a time; ignoring ") + ignored.join(u' ') + u'\n';
}

} // namespace zorvikta
