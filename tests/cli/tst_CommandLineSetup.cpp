// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRun.h"
#include "support/ThisSystem.h"

#include <QDir>

#include <QTest>

using namespace zorvikta::test;
using namespace Qt::StringLiterals;

// The part of the command line both tools share, run on each of them.
class TestCommandLineSetup : public QObject {
    Q_OBJECT
private slots:
    void standardOptions_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // its start
        QTest::addColumn<QString>("err");
        QTest::addColumn<QString>("skip"); // why the row cannot hold here; empty where it can

        const QString version = QStringLiteral(ZORVIKTA_VERSION);
        const QList<std::pair<QString, QString>> tools{
            {QStringLiteral(ZVK_PATH), u"zvk"_s},
            {QStringLiteral(ZORVIKTA_BOARD_PATH), u"zorvikta-board"_s}};
        for (const auto& [tool, name] : tools) {
            // A tool this system does not build has no path.
            if (tool.isEmpty())
                continue;
            const auto row = [&](const char* what, const QStringList& arguments, int exitCode,
                                 const QString& out, const QString& err) {
                QTest::addRow("%s %s", qPrintable(name), what)
                    << tool << name << arguments << exitCode << out << err << QString();
            };
            row("--version", {u"--version"_s}, 0, name + u' ' + version + u'\n', {});
            row("--help", {u"--help"_s}, 0,
                u"Usage: "_s + QDir::toNativeSeparators(tool) + u" [options]"_s, {});
            row("help before version", {u"-h"_s, u"--version"_s}, 0, u"Usage: "_s, {});
            row("a bad option before help", {u"--bogus"_s, u"--help"_s}, 2, {},
                name + u": Unknown option 'bogus'.\nTry '"_s + name + u" --help'.\n"_s);
        }

        // The editor answers all of these before its window system starts.
        const QString editor = QStringLiteral(ZORVIKTA_PATH);
        const auto row = [&](const char* what, const QStringList& arguments, int exitCode,
                             const QString& out, const QString& err, const char* skip = "") {
            QTest::addRow("zorvikta %s", what) << editor << u"zorvikta"_s << arguments << exitCode
                                               << out << err << QString::fromUtf8(skip);
        };
        const auto usage = [](const QString& message) {
            return u"zorvikta: "_s + message + u"\nTry 'zorvikta --help'.\n"_s;
        };
        row("--version", {u"--version"_s}, 0, u"zorvikta "_s + version + u'\n', {});
        row("--help", {u"--help"_s}, 0, u"Usage: zorvikta [options] [FILE]\n"_s, {});
        row("a bad option", {u"--bogus"_s}, 2, {}, usage(u"Unknown option 'bogus'."_s));
        row("a bad option among Qt's", {u"-style"_s, u"fusion"_s, u"-bogus"_s, u"a.zvk"_s}, 2, {},
            usage(u"Unknown option 'bogus'."_s));
        row("a value missing", {u"-platform"_s}, 2, {},
            usage(u"Missing value after '-platform'."_s));
        row("an empty file", {QString()}, 2, {}, usage(u"FILE is empty."_s));
        row("a folder", {rootFolder()}, 2, {},
            usage(rootFolder() + u" is a folder, not a run file."_s));
        row("a name over the system's limit", {QString(5000, u'n')}, 2, {},
            usage(u"FILE cannot name a file: the name is longer than the 4095 bytes the system "
                  "allows."_s),
            whyNoOverlongNameOnACommandLine().value_or(""));
    }
    void standardOptions()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, skip);
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));

        // No display: nothing here may need one.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        const ToolRun run = runTool(tool, arguments, environment);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.startsWith(out), qPrintable(run.out));
        QCOMPARE(run.err, err);
    }
};

QTEST_MAIN(TestCommandLineSetup)
#include "tst_CommandLineSetup.moc"
