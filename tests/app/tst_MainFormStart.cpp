// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AsOrdinaryUser.h"
#include "support/FormFixture.h"
#include <QTest>

#include "app/CommandLine.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

class TestMainFormStart : public QObject {
    Q_OBJECT
private slots:
    void firstStartWithoutFiles()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();

        RunRecord expected{};
        expected[kChannelCountIndex] = 4;
        expected[kLengthIndex] = 8;
        expected[kSpeedIndex] = 230;
        QCOMPARE(form.runRecord(), expected);
        QCOMPARE(form.undoRecord(), RunRecord{});
        QCOMPARE(form.cursor().HoverStep, 100);
        QCOMPARE(form.cursor().MarkedStep, 100);
        QCOMPARE(form.cursor().PlayStep, 0);
        QCOMPARE(form.cursor().DrawMode, 0);
        QCOMPARE(fixture.prompts.warnings, QStringList{QStringLiteral("Файла не существует!")});
        QCOMPARE(fixture.prompts.warningDetails,
                 QStringList{fixture.path(QStringLiteral("tmp.zvk"))});
        QCOMPARE(form.windowTitle(),
                 QStringLiteral("Эмулятор релейной бегушки: ") + dotted("tmp.zvk"));
        QVERIFY(!fixture.child<QToolButton>("SpeedButtonUndo")->isEnabled());
        QVERIFY(fixture.child<QToolButton>("SpeedButtonSave")->isEnabled());
        QVERIFY(!fixture.child<QCheckBox>("CheckBoxToBox")->isChecked());
        QVERIFY(fixture.child<QAction>("itemCom2")->isChecked());
        QVERIFY(!fixture.child<QAction>("itemCom1")->isChecked());
        QCOMPARE(fixture.panel(0), QStringLiteral(" "));
        QCOMPARE(fixture.panel(2), QStringLiteral(" "));
        QCOMPARE(fixture.panel(3), QStringLiteral("загрузка файла: ") + dotted("tmp.zvk"));
        QCOMPARE(fixture.child<QLabel>("LabelSpeed")->text(), QStringLiteral("Cкорость 230"));
        QCOMPARE(fixture.child<QTimer>("TimerRun")->interval(), 250);
        QVERIFY(fixture.recording.transfers.isEmpty());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("ignored");
        const int open = int(StartRequest::Action::OpenWindow);
        const int help = int(StartRequest::Action::PrintHelp);
        const int version = int(StartRequest::Action::PrintVersion);
        const int usage = int(StartRequest::Action::UsageError);
        const auto row = [](const char* name, const QStringList& arguments, int action,
                            const QString& file = {}, const QStringList& ignored = {}) {
            QTest::newRow(name) << (QStringList{u"zorvikta"_s} + arguments) << action << file
                                << ignored;
        };
        row("nothing", {}, open);
        const QString absolute = rootFolder() + u"data/a.zvk"_s;
        row("absolute", {absolute}, open, absolute);
        row("relative", {u"a.zvk"_s}, open, u"/work/dir/a.zvk"_s);
        row("relative upwards", {u"../x/./a.zvk"_s}, open, u"/work/x/a.zvk"_s);
        row("extra arguments", {u"a.zvk"_s, u"b.zvk"_s, u"c"_s}, open, u"/work/dir/a.zvk"_s,
            {u"b.zvk"_s, u"c"_s});
        row("dash file after --", {u"--"_s, u"-x.zvk"_s}, open, u"/work/dir/-x.zvk"_s);
        row("--help", {u"--help"_s}, help);
        row("-h", {u"-h"_s}, help);
        row("help beside a file", {u"a.zvk"_s, u"--help"_s}, help);
        row("--version", {u"--version"_s}, version);
        row("-v", {u"-v"_s}, version);
        row("-version", {u"-version"_s}, version);
        row("unknown option", {u"--frobnicate"_s, u"a.zvk"_s}, usage);
        row("Qt's own options",
            {u"-style"_s, u"fusion"_s, u"--platform=xcb"_s, u"-reverse"_s, u"a.zvk"_s}, open,
            u"/work/dir/a.zvk"_s);
        row("empty file", {QString()}, usage);
        row("empty file after an option", {u"-reverse"_s, QString(), u"a.zvk"_s}, usage);
        row("a folder", {rootFolder()}, usage);
        row("a folder, relative", {u"../.."_s}, usage);
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, file);
        QFETCH(QStringList, ignored);
        const StartRequest request = parseCommandLine(arguments, u"/work/dir"_s);
        QCOMPARE(int(request.action), action);
        QCOMPARE(request.file, file);
        QCOMPARE(request.ignored, ignored);
        QCOMPARE(request.message.isEmpty(), action != int(StartRequest::Action::UsageError));
    }

    void startsWithTheNamedFile_data()
    {
        QTest::addColumn<QString>("argument"); // as typed, relative to the working directory
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing") << u"named.zvk"_s << true;
        QTest::newRow("existing in a subfolder") << u"sub/../named.zvk"_s << true;
        QTest::newRow("missing") << u"new.zvk"_s << false;
    }
    void startsWithTheNamedFile()
    {
        QFETCH(QString, argument);
        QFETCH(bool, exists);
        FormFixture fixture;
        QDir(fixture.path({})).mkdir(u"sub"_s);
        // Both fallbacks exist and must be passed over.
        fixture.writeFile(u"last.zvk"_s, runFileBytes("\x10", 2, 5, 40));
        fixture.writeFile(u"tmp.zvk"_s, runFileBytes("\x20", 3, 6, 50));
        fixture.writeSettings("[LastFile]\nPath=last.zvk\n");
        const QString named = fixture.path(QFileInfo(argument).fileName());
        if (exists)
            fixture.writeFile(QFileInfo(argument).fileName(), runFileBytes("\xC0", 4, 9, 120));
        fixture.startFile = parseCommandLine({u"zorvikta"_s, argument}, QDir::currentPath()).file;
        TMainForm& form = fixture.start();

        QCOMPARE(form.currentFileName(), named);
        QCOMPARE(form.windowTitle(), u"Эмулятор релейной бегушки: "_s + named);
        QVERIFY(fixture.child<QToolButton>("SpeedButtonSave")->isEnabled());
        QCOMPARE(fixture.panel(3), (exists ? u"Чтение файла: "_s : u"загрузка файла: "_s) + named);
        QCOMPARE(int(form.runRecord()[0]), exists ? 0xC0 : 0);
        QCOMPARE(form.gridView().length, exists ? 9 : 8);
        QCOMPARE(fixture.prompts.warnings,
                 exists ? QStringList() : QStringList{u"Файла не существует!"_s});
        QCOMPARE(fixture.prompts.warningDetails, exists ? QStringList() : QStringList{named});

        // Save As starts on the named file and creates it there.
        fixture.prompts.chosenFiles = {named};
        fixture.prompts.answers = {true};
        form.SpeedButtonSaveASClick();
        QCOMPARE(fixture.prompts.dialogs, QStringList{u"save:"_s + named});
        QCOMPARE(fixture.readFile(QFileInfo(named).fileName()).mid(125),
                 QByteArray::fromHex(exists ? "040978" : "0408e6"));
        QCOMPARE(fixture.readFile(u"last.zvk"_s).at(0), '\x10');
    }

    // Only a file that is not there takes the notice and the scratch copy's place; one that is
    // there but out of reach says why and stays the last file for the next start.
    void anUnreachableLastFileIsKept_data()
    {
        QTest::addColumn<bool>("lockedFolder"); // else a name too long for the system
        QTest::addColumn<QString>("error");
        QTest::newRow("behind a folder that refuses entry") << true << u"File access denied"_s;
        if (refusesLongNames())
            QTest::newRow("name too long") << false << u"Invalid filename"_s;
    }
    void anUnreachableLastFileIsKept()
    {
        QFETCH(bool, lockedFolder);
        QFETCH(QString, error);
        if (lockedFolder && !runAsOrdinaryUser())
            return;
        FormFixture fixture;
        fixture.writeFile(u"tmp.zvk"_s, runFileBytes("\x20", 3, 6, 50));
        QString last;
        if (lockedFolder) {
            QDir(fixture.path({})).mkdir(u"locked"_s);
            fixture.writeFile(u"locked/a.zvk"_s, runFileBytes("\x80", 4, 8, 230));
            QVERIFY(QFile::setPermissions(fixture.path(u"locked"_s), {}));
            last = fixture.path(u"locked/a.zvk"_s);
        } else {
            last = fixture.path(QString(300, u'a') + u".zvk"_s);
        }
        fixture.writeSettings("[LastFile]\nPath=" + last.toUtf8() + "\n");
        TMainForm& form = fixture.start();

        QCOMPARE(fixture.prompts.errors, QStringList{error});
        QCOMPARE(fixture.prompts.errorDetails.size(), 1);
        QVERIFY(fixture.prompts.errorDetails.constFirst().startsWith(last + u": "_s));
        QVERIFY(fixture.prompts.warnings.isEmpty());
        QCOMPARE(form.openFileName(), last);
        QCOMPARE(int(form.runRecord()[0]), 0);
        form.close();
        if (lockedFolder)
            QFile::setPermissions(fixture.path(u"locked"_s), QFileDevice::ReadOwner |
                                                                 QFileDevice::WriteOwner |
                                                                 QFileDevice::ExeOwner);
        QVERIFY2(fixture.readFile(u"Zorvikta.ini"_s).contains("Path=" + last.toUtf8()),
                 fixture.readFile(u"Zorvikta.ini"_s).constData());
    }

    // A last file that no file can be named is not looked for: the box says why, and the start
    // goes on with the scratch copy, which the next close then names.
    void aLastFileNoFileCanHaveIsNotLookedFor_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("a NUL, the name before it a file") << "x.zvk\0y.zvk"_ba;
        QTest::newRow("a million characters") << QByteArray(1000000, 'p');
        if (!readsSettingsInACodePage())
            QTest::newRow("not UTF-8") << "\xFF\xFEx.zvk"_ba;
    }
    void aLastFileNoFileCanHaveIsNotLookedFor()
    {
        QFETCH(QByteArray, path);
        FormFixture fixture;
        fixture.writeFile(u"tmp.zvk"_s, runFileBytes("\x20", 3, 6, 50));
        fixture.writeFile(u"x.zvk"_s, runFileBytes("\x80", 4, 8, 230));
        fixture.writeSettings("[LastFile]\nPath=" + path + "\n");
        TMainForm& form = fixture.start();

        QCOMPARE(fixture.prompts.errors, QStringList{u"Invalid filename"_s});
        QVERIFY(fixture.prompts.errorDetails.constFirst().size() < 2000);
        QCOMPARE(form.openFileName(), dotted("tmp.zvk"));
        QCOMPARE(int(form.runRecord()[0]), 0x20);
        fixture.prompts.answers = {false};
        QVERIFY(form.close());
        QVERIFY(fixture.readFile(u"Zorvikta.ini"_s).contains("Path=" + dotted("tmp.zvk").toUtf8()));
    }

    // A file named on the command line that cannot be read says which file it is, and the
    // settings keep the last file they named, for the next plain start; once the pattern is
    // saved, the file saved is the last one.
    void aFailedNamedFileIsNotRemembered_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QByteArray>("bytes"); // empty: not written
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("saved"); // the close's question answered Yes
        QTest::newRow("too short")
            << u"broken.zvk"_s << QByteArray(100, '\x10') << u"Read beyond end of file"_s << false;
        if (refusesLongNames())
            QTest::newRow("name too long")
                << QString(300, u'b') + u".zvk"_s << QByteArray() << u"Invalid filename"_s << false;
        QTest::newRow("too short, saved at the close")
            << u"broken.zvk"_s << QByteArray(100, '\x10') << u"Read beyond end of file"_s << true;
    }
    void aFailedNamedFileIsNotRemembered()
    {
        QFETCH(QString, named);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QFETCH(bool, saved);
        FormFixture fixture;
        fixture.writeFile(u"last.zvk"_s, runFileBytes("\x90", 3, 7, 60));
        fixture.writeSettings("[LastFile]\nPath=" + fixture.path(u"last.zvk"_s).toUtf8() + "\n");
        if (!bytes.isEmpty())
            fixture.writeFile(named, bytes);
        fixture.startFile = fixture.path(named);
        TMainForm& form = fixture.start();
        QCOMPARE(fixture.prompts.errors, QStringList{error});
        QCOMPARE(fixture.prompts.errorDetails.size(), 1);
        QVERIFY(
            fixture.prompts.errorDetails.constFirst().startsWith(fixture.path(named) + u": "_s));
        QCOMPARE(int(form.runRecord()[0]), 0);
        form.SpeedButtonFillAllClick();
        fixture.prompts.answers = {saved};
        QVERIFY(form.close());
        QCOMPARE(fixture.exists(u"User001.zvk"_s), saved);
        const QByteArray lastFile =
            saved ? QByteArray("User001.zvk") : fixture.path(u"last.zvk"_s).toUtf8();
        QVERIFY2(fixture.readFile(u"Zorvikta.ini"_s).contains("Path=" + lastFile + '\n'),
                 fixture.readFile(u"Zorvikta.ini"_s).constData());

        fixture.startFile.clear();
        fixture.prompts.clear();
        fixture.start();
        QCOMPARE(fixture.prompts.errors, QStringList());
        QCOMPARE(int(fixture.form().runRecord()[0]), saved ? 0xF0 : 0x90);
    }

    void undoRestoresTheLastSnapshotOnce()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        auto* undo = fixture.child<QToolButton>("SpeedButtonUndo");

        form.runRecord()[0] = 0x80;
        form.ToUndo();
        const RunRecord first = form.runRecord();
        form.runRecord()[1] = 0x40;
        form.runRecord()[kSpeedIndex] = 100;
        form.runRecord()[kChannelCountIndex] = 2;
        form.runRecord()[kLengthIndex] = 20;
        form.ToUndo();
        const RunRecord second = form.runRecord();
        form.runRecord()[2] = 0x20; // drawn after the snapshot: undone with it
        QVERIFY(undo->isEnabled());

        form.SpeedButtonUndoClick();
        QCOMPARE(form.runRecord(), second);
        QVERIFY(form.runRecord() != first);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(fixture.panel(3), QStringLiteral("Восстанавливаем прежнее состояние"));
        QCOMPARE(fixture.child<QScrollBar>("ScrollBarSpeed")->value(), 100);
        QCOMPARE(fixture.child<QLabel>("LabelCh")->text(), QStringLiteral("2"));
        QCOMPARE(fixture.child<QLabel>("LabelLeng")->text(), QStringLiteral("20"));
        QCOMPARE(form.gridView().length, 20);
    }

    void everyControlIsThereWithItsHint_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        const auto row = [](const char* name, const QString& hint) {
            QTest::newRow(name) << QString::fromLatin1(name) << hint;
        };
        row("SpeedButtonNew", QStringLiteral("Cоздать новый файл"));
        row("SpeedButtonOpen", QStringLiteral("открыть  файл"));
        row("SpeedButtonSaveAS", QStringLiteral("Записать  файл как..."));
        row("SpeedButtonSave", QStringLiteral("сохранить  файл"));
        row("SpeedButtonDelete", QStringLiteral("Удалить шаг"));
        row("SpeedButtonInsert", QStringLiteral("Вставить шаг"));
        row("SpeedButtonClearAll", QStringLiteral("Очистить все"));
        row("SpeedButtonFillAll", QStringLiteral("заполнить все"));
        row("SpeedButtonUndo", QStringLiteral("Вернуть прежнее значение"));
        row("SpeedButtonTx", QStringLiteral("загрузить файл во внешнее устройство"));
        row("SpeedButtonInvers", QStringLiteral("инвертировать поле"));
        row("SpeedButtonSplash", QStringLiteral("Инвертировать шаги"));
        row("SpeedButtonRotateCh", QStringLiteral("поменять каналы местами"));
        row("SpeedButtonPlay", QStringLiteral("Пуск-Стоп эмулятора"));
        row("SpeedButtonRun4_1", QStringLiteral("Стандартная бегушка"));
        row("SpeedButtonRmf", QStringLiteral("Стандартная бегушка"));
        row("UpDownCh", QStringLiteral("Установить количество активных каналов"));
        row("UpDownLeng", QStringLiteral("Установить максимальную длинну "));
        row("CheckBoxToBox", QStringLiteral("Менять скорость в блоке сразу"));
        row("ScrollBarSpeed", QStringLiteral("Скорость изменения шагов"));
        row("ScrollBarArea", QStringLiteral("Место шага в файле"));
        row("LabelStep", QStringLiteral("Текущий шаг"));
    }
    void everyControlIsThereWithItsHint()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        FormFixture fixture;
        fixture.start();
        auto* control = fixture.form().findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->toolTip(), hint);
    }

    void menuHoldsEveryItemInOrder()
    {
        FormFixture fixture;
        fixture.start();
        QStringList captions;
        for (QAction* top : fixture.form().menuBar()->actions()) {
            captions << top->text();
            for (QAction* item : top->menu()->actions())
                captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        const QStringList expected{u"Файл"_s,
                                   u"New"_s,
                                   u"Open"_s,
                                   u"Save AS"_s,
                                   u"Save"_s,
                                   u"-"_s,
                                   u"Exit"_s,
                                   u"Команды"_s,
                                   u"Инвертировать поле (яркость каналов)"_s,
                                   u"Инвертировать шаги"_s,
                                   u"Обмен каналов"_s,
                                   u"-"_s,
                                   u"Play"_s,
                                   u"Stop"_s,
                                   u"Заготовки"_s,
                                   u"4 канала, 1 огонек"_s,
                                   u"4 канала, 2 огонька"_s,
                                   u"4 канала, 3 огонька"_s,
                                   u"4 канала, наполнение и сброс"_s,
                                   u"4 канала, наполнение и спад"_s,
                                   u"-"_s,
                                   u"3 канала, 1 огонек"_s,
                                   u"3 канала, 2 огонька"_s,
                                   u"-"_s,
                                   u"СОМ Порт"_s,
                                   u"соединить с COM 1"_s,
                                   u"соединить с COM 2"_s,
                                   u"Переслать файл во внешнее устройство"_s,
                                   u"-"_s,
                                   u"Выбор устройства..."_s,
                                   u"Справка"_s,
                                   u"О программе"_s,
                                   u"Помощь"_s,
                                   u"Схема подключения"_s};
        QCOMPARE(captions, expected);
    }

    void bandsStackAtTheirHeights()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.centralWidget()->width(), 590);
        const QList<std::pair<const char*, QRect>> bands{
            {"ToolBar", {0, 0, 590, 29}},         {"Panel1", {0, 29, 590, 60}},
            {"PaintBoxRun", {0, 89, 590, 17}},    {"Panel2", {0, 106, 590, 23}},
            {"ScrollBarArea", {0, 129, 590, 16}}, {"Panel3", {0, 145, 590, 11}},
            {"PaintBox", {0, 156, 590, 75}},      {"StatusBar", {0, 240, 590, 19}}};
        for (const auto& [name, geometry] : bands)
            QCOMPARE(fixture.child<QWidget>(name)->geometry(), geometry);

        form.resize(900, form.height());
        QTRY_COMPARE(fixture.child<QWidget>("PaintBox")->width(), 900);
        QCOMPARE(fixture.child<QWidget>("PaintBox")->height(), 75);
    }
};

QTEST_MAIN(TestMainFormStart)
#include "tst_MainFormStart.moc"
