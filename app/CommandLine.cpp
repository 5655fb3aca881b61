// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "storage/FileAccess.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace zorvikta {

namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("Print this help and exit."));
const QCommandLineOption kVersion({QStringLiteral("v"), QStringLiteral("version")},
                                  QStringLiteral("Print the version and exit."));

// Qt takes these for itself once the window system starts; they are known here so that every
// other option can be refused before that.
QList<QCommandLineOption> qtOwnOptions()
{
    QList<QCommandLineOption> options;
    for (const char* name : {"platform",
                             "platformpluginpath",
                             "platformtheme",
                             "plugin",
                             "qmljsdebugger",
                             "qwindowgeometry",
                             "qwindowicon",
                             "qwindowtitle",
                             "session",
                             "display",
                             "geometry",
                             "name",
                             "title",
                             "icon",
                             "visual",
                             "ncols",
                             "im",
                             "inputstyle",
                             "style",
                             "stylesheet"})
        options.append(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name :
         {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap", "testability"})
        options.append(QCommandLineOption(QString::fromLatin1(name)));
    return options;
}

StartRequest usageError(const QString& message)
{
    StartRequest request;
    request.action = StartRequest::Action::UsageError;
    request.message = message;
    return request;
}

} // namespace

StartRequest parseCommandLine(const QStringList& arguments, const QString& workingDirectory)
{
    QCommandLineParser parser;
    parser.addOptions({kHelp, kVersion});
    parser.addOptions(qtOwnOptions());
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
    if (!parsed)
        return usageError(parser.errorText());
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return request;
    // An unset variable in a script would otherwise name the working folder.
    const QString named = positional.takeFirst();
    if (named.isEmpty())
        return usageError(QStringLiteral("FILE is empty."));
    // Refused before anything is looked for under it.
    if (const std::optional<FileError> refusal = files::refusalOfFileName(named))
        return usageError(QStringLiteral("FILE cannot name a file: %1.").arg(refusal->reason));
    request.file = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(named));
    if (QFileInfo(request.file).isDir())
        return usageError(QStringLiteral("%1 is a folder, not a run file.").arg(request.file));
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
