// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRun.h"

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

        const QString version = QStringLiteral(ZORVIKTA_VERSION);
        const QList<std::pair<QString, QString>> tools{
            {QStringLiteral(ZVK_PATH), u"zvk"_s},
            {QStringLiteral(ZORVIKTA_BOARD_PATH), u"zorvikta-board"_s}};
        for (const auto& [tool, name] : tools) {
            const auto row = [&](const char* what, const QStringList& arguments, int exitCode,
                                 const QString& out, const QString& err) {
                QTest::addRow("%s %s", qPrintable(name), what)
                    << tool << name << arguments << exitCode << out << err;
            };
            row("--version", {u"--version"_s}, 0, name + u' ' + version + u'\n', {});
            row("--help", {u"--help"_s}, 0, u"Usage: "_s + tool + u" [options]"_s, {});
            row("help before version", {u"-h"_s, u"--version"_s}, 0, u"Usage: "_s, {});
            row("a bad option before help", {u"--bogus"_s, u"--help"_s}, 2, {},
                name + u": Unknown option 'bogus'.\nTry '"_s + name + u" --help'.\n"_s);
        }
    }
    void standardOptions()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);

        const ToolRun run = runTool(tool, arguments);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.startsWith(out), qPrintable(run.out));
        QCOMPARE(run.err, err);
    }
};

QTEST_MAIN(TestCommandLineSetup)
#include "tst_CommandLineSetup.moc"
