// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include <QCheckBox>
#include <QDir>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

const QString kNewName = dotted("User001.zvk");
const QString kScratch = QStringLiteral("tmp.zvk");

// A record full of what saving must clean up: low bits inside the pattern, lamps beyond it,
// Reserved bytes to carry and a Spare byte never to write.
void dirty(RunRecord& record)
{
    for (int step = 0; step < kStepCount; ++step)
        record[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>(0xA5 + step);
    record[kTailSlot] = 0x77;
    record[122] = 0x12;
    record[123] = 0x34;
    record[124] = 0x56;
    record[kSpareIndex] = 0x99;
}

// What the file must hold: steps below 8 as given, end markers from 8 through 121.
QByteArray expectedFile(const RunRecord& before, bool lowBitsCleared)
{
    QByteArray bytes = recordBytes(before);
    for (int step = 0; step < 8; ++step)
        bytes[step] = static_cast<char>(before[static_cast<std::size_t>(step)] &
                                        (lowBitsCleared ? 0xF0 : 0xFF));
    for (int index = 8; index <= kTailSlot; ++index)
        bytes[index] = 0x01;
    bytes[125] = 4;
    bytes[126] = 8;
    bytes[127] = static_cast<char>(230);
    return bytes;
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void saveClearsLowBitsAndFillsEndMarkers()
    {
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("mine.zvk"), runFileBytes({}, 4, 8, 230));
        fixture.writeSettings("[LastFile]\nPath=mine.zvk\n");
        TMainForm& form = fixture.start();
        dirty(form.runRecord());
        const RunRecord before = form.runRecord();

        form.SpeedButtonSaveClick();
        const QByteArray expected = expectedFile(before, true);
        QCOMPARE(fixture.readFile(QStringLiteral("mine.zvk")), expected);
        QCOMPARE(fixture.readFile(kScratch), expected);
        QCOMPARE(int(form.runRecord()[kSpareIndex]), 0x99);
        QCOMPARE(form.windowTitle(), QStringLiteral("Эмулятор релейной бегушки: mine.zvk"));
        QVERIFY(fixture.prompts.questions.isEmpty());
        QVERIFY(fixture.prompts.dialogs.isEmpty());
    }

    void newAndCloseWriteWithoutClearingLowBits_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::newRow("new") << false;
        QTest::newRow("close") << true;
    }
    void newAndCloseWriteWithoutClearingLowBits()
    {
        QFETCH(bool, closing);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        dirty(form.runRecord());
        const RunRecord before = form.runRecord();
        fixture.prompts.clear();
        fixture.prompts.answers = {true};
        if (closing)
            QVERIFY(form.close());
        else
            form.SpeedButtonNewClick();
        QCOMPARE(fixture.prompts.questions,
                 QStringList{QStringLiteral("Записать файл <%1> ?").arg(dotted("tmp.zvk"))});
        QCOMPARE(fixture.readFile(kScratch), expectedFile(before, false));
    }

    void loadThenSaveIsByteIdentical()
    {
        FormFixture fixture;
        RunRecord record{};
        dirty(record);
        for (int step = 0; step < 12; ++step)
            record[static_cast<std::size_t>(step)] &= 0xF0;
        for (int index = 12; index <= kTailSlot; ++index)
            record[static_cast<std::size_t>(index)] = 0x01;
        record[125] = 3;
        record[126] = 12;
        record[127] = 77;
        const QByteArray original = recordBytes(record);
        fixture.writeFile(QStringLiteral("keep.zvk"), original);
        fixture.writeSettings("[LastFile]\nPath=keep.zvk\n");
        TMainForm& form = fixture.start();
        form.SpeedButtonSaveClick();
        QCOMPARE(fixture.readFile(QStringLiteral("keep.zvk")), original);
    }

    void newAnsweredNoClearsTheStepsOnly()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        dirty(form.runRecord());
        const RunRecord before = form.runRecord();
        form.SpeedButtonNewClick();
        QVERIFY(!fixture.exists(kScratch));
        for (int step = 0; step < kStepCount; ++step)
            QCOMPARE(int(form.runRecord()[static_cast<std::size_t>(step)]), 0);
        QCOMPARE(int(form.runRecord()[kTailSlot]), 0x77);
        QCOMPARE(form.windowTitle(), QStringLiteral("Эмулятор релейной бегушки: ") + kNewName);
        QCOMPARE(fixture.panel(3), QStringLiteral("Очистка рабочего пространства..."));
        form.SpeedButtonUndoClick();
        QCOMPARE(form.runRecord(), before);
    }

    void newAskedTwiceForAnExistingFile()
    {
        FormFixture fixture;
        fixture.writeFile(kScratch, QByteArray(128, '\x10'));
        TMainForm& form = fixture.start();
        fixture.prompts.answers = {true, false};
        form.SpeedButtonNewClick();
        QCOMPARE(fixture.prompts.questions,
                 QStringList({QStringLiteral("Записать файл <%1> ?").arg(scratchFoundAtStart()),
                              QStringLiteral("Такой файл существует. Переписать?")}));
        QCOMPARE(fixture.readFile(kScratch), QByteArray(128, '\x10'));
        QCOMPARE(form.currentFileName(), kNewName);

        // The second New finds no ./User001.zvk and writes it without the overwrite question.
        fixture.prompts.clear();
        fixture.prompts.answers = {true};
        form.SpeedButtonNewClick();
        QCOMPARE(fixture.prompts.questions.size(), 1);
        QVERIFY(fixture.exists(QStringLiteral("User001.zvk")));
        QCOMPARE(fixture.readFile(kScratch), fixture.readFile(QStringLiteral("User001.zvk")));
    }

    void saveWithoutAFileAsksForAName()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.SpeedButtonNewClick();
        fixture.prompts.chosenFiles = {fixture.path(QStringLiteral("named.zvk"))};
        form.SpeedButtonSaveClick();
        QCOMPARE(fixture.prompts.dialogs, QStringList{QStringLiteral("save:") + kNewName});
        QVERIFY(fixture.exists(QStringLiteral("named.zvk")));
        QCOMPARE(form.currentFileName(), fixture.path(QStringLiteral("named.zvk")));
        QVERIFY(!fixture.exists(QStringLiteral("User001.zvk")));
    }

    void saveAsCancelledStillPreparesTheRecord()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        dirty(form.runRecord());
        form.SpeedButtonSaveASClick();
        QVERIFY(!fixture.exists(kScratch));
        QCOMPARE(int(form.runRecord()[3]), (0xA5 + 3) & 0xF0);
        QCOMPARE(int(form.runRecord()[8]), 0x01);
        QCOMPARE(int(form.runRecord()[9]), (0xA5 + 9) & 0xF0);
    }

    void saveAsRefusedKeepsTheCurrentName()
    {
        FormFixture fixture;
        fixture.writeFile(kScratch, QByteArray(128, '\0'));
        fixture.writeFile(QStringLiteral("other.zvk"), "precious");
        TMainForm& form = fixture.start();
        const QString other = fixture.path(QStringLiteral("other.zvk"));
        fixture.prompts.chosenFiles = {other};
        fixture.prompts.answers = {false};
        form.SpeedButtonSaveASClick();
        QCOMPARE(fixture.prompts.questions,
                 QStringList{QStringLiteral("Файл с таким именем существует, переписать?")});
        QCOMPARE(fixture.readFile(QStringLiteral("other.zvk")), QByteArray("precious"));
        QCOMPARE(form.currentFileName(), scratchFoundAtStart());
        form.runRecord()[0] = 0x80;
        form.SpeedButtonSaveClick();
        QCOMPARE(fixture.readFile(QStringLiteral("other.zvk")), QByteArray("precious"));
        QCOMPARE(int(fixture.readFile(kScratch).at(0)), 0x80 - 256);

        fixture.prompts.chosenFiles = {other};
        fixture.prompts.answers = {true};
        form.SpeedButtonSaveASClick();
        QCOMPARE(fixture.readFile(QStringLiteral("other.zvk")).size(), 128);
        QCOMPARE(form.currentFileName(), other);
    }

    void openTakesTheFileButNotTheCaption()
    {
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("b.zvk"), runFileBytes("\x80\x40", 3, 12, 100));
        TMainForm& form = fixture.start();
        const RunRecord before = form.runRecord();

        form.SpeedButtonOpenClick(); // cancelled
        QVERIFY(!fixture.child<QToolButton>("SpeedButtonUndo")->isEnabled());

        fixture.prompts.chosenFiles = {fixture.path(QStringLiteral("b.zvk"))};
        form.SpeedButtonOpenClick();
        QCOMPARE(fixture.prompts.dialogs.last(), QStringLiteral("open:") + dotted("tmp.zvk"));
        QCOMPARE(int(form.runRecord()[0]), 0x80);
        QCOMPARE(form.gridView().channelCount, 3);
        QCOMPARE(form.gridView().length, 12);
        QCOMPARE(form.windowTitle(),
                 QStringLiteral("Эмулятор релейной бегушки: ") + dotted("tmp.zvk"));
        QCOMPARE(form.currentFileName(), fixture.path(QStringLiteral("b.zvk")));
        QCOMPARE(fixture.panel(3),
                 QStringLiteral("Чтение файла: ") + fixture.path(QStringLiteral("b.zvk")));
        form.SpeedButtonUndoClick();
        QCOMPARE(form.runRecord(), before);
    }

    void failedLoadsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: the name is a folder
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("warning");
        QTest::newRow("missing") << QByteArray() << false << QString()
                                 << QStringLiteral("Файла не существует!");
        QTest::newRow("empty") << QByteArray("") << true
                               << QStringLiteral("Read beyond end of file") << QString();
        QTest::newRow("127 bytes") << QByteArray(127, '\x40') << true
                                   << QStringLiteral("Read beyond end of file") << QString();
    }
    void failedLoadsChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(QString, error);
        QFETCH(QString, warning);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.runRecord()[0] = 0x30;
        form.SpeedButtonNewClick();
        fixture.prompts.clear();
        const RunRecord before = form.runRecord();
        const QString title = form.windowTitle();
        if (exists)
            fixture.writeFile(QStringLiteral("bad.zvk"), content);
        fixture.prompts.chosenFiles = {fixture.path(QStringLiteral("bad.zvk"))};
        form.SpeedButtonOpenClick();
        QCOMPARE(form.runRecord(), before);
        QCOMPARE(form.currentFileName(), kNewName);
        QCOMPARE(form.windowTitle(), title);
        QCOMPARE(fixture.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(fixture.prompts.warnings,
                 warning.isEmpty() ? QStringList() : QStringList{warning});
    }

    void aLongerFileLoadsItsFirst128Bytes()
    {
        FormFixture fixture;
        QByteArray bytes = runFileBytes("\x10\x20", 2, 4, 50);
        bytes.append(QByteArray(1 << 20, '\xEE'));
        fixture.writeFile(QStringLiteral("long.zvk"), bytes);
        fixture.writeSettings("[LastFile]\nPath=long.zvk\n");
        TMainForm& form = fixture.start();
        QCOMPARE(int(form.runRecord()[1]), 0x20);
        QCOMPARE(int(form.runRecord()[kSpeedIndex]), 50);
        QVERIFY(fixture.prompts.errors.isEmpty());
    }

    void aReadOnlyFileLoads()
    {
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("ro.zvk"), runFileBytes("\xF0", 4, 8, 230));
        QFile::setPermissions(fixture.path(QStringLiteral("ro.zvk")), QFileDevice::ReadOwner);
        fixture.writeSettings("[LastFile]\nPath=ro.zvk\n");
        TMainForm& form = fixture.start();
        QCOMPARE(int(form.runRecord()[0]), 0xF0);
        QVERIFY(fixture.prompts.errors.isEmpty());
    }

    void aFailedWriteStopsTheCommandAndKeepsTheOldFile()
    {
        const std::optional<QString> full = fullDevice();
        if (!full)
            QSKIP("this system has no device that is always full");
        FormFixture fixture;
        TMainForm& form = fixture.start();
        fixture.prompts.chosenFiles = {*full};
        fixture.prompts.answers = {true};
        form.SpeedButtonSaveASClick();
        QCOMPARE(fixture.prompts.errors, QStringList{QStringLiteral("Disk full")});
        QVERIFY(fixture.exists(kScratch));

        // New stops where the prompt's write failed: name and steps stay.
        form.runRecord()[0] = 0x80;
        fixture.prompts.clear();
        fixture.prompts.answers = {true, true};
        form.SpeedButtonNewClick();
        QCOMPARE(fixture.prompts.errors, QStringList{QStringLiteral("Disk full")});
        QCOMPARE(form.currentFileName(), *full);
        QCOMPARE(int(form.runRecord()[0]), 0x80);
    }

    // A name chosen in the dialog that no file can have is refused before anything is written,
    // and the current name stays, so that a close does not fail on it again.
    void saveAsRefusesANameNoFileCanHave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a NUL") << QStringLiteral("x") + QChar(u'\0') + QStringLiteral("y.zvk");
        QTest::newRow("too long") << QString(40000, u'n');
    }
    void saveAsRefusesANameNoFileCanHave()
    {
        QFETCH(QString, name);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        const QString before = form.currentFileName();
        fixture.prompts.chosenFiles = {fixture.path(name)};
        form.SpeedButtonSaveASClick();
        QCOMPARE(fixture.prompts.errors, QStringList{QStringLiteral("Invalid filename")});
        QCOMPARE(form.currentFileName(), before);
        QVERIFY(!fixture.exists(kScratch));
    }

    void aScratchCopyThatCannotBeWrittenDoesNotStopTheSave()
    {
        FormFixture fixture;
        QVERIFY(QDir(fixture.path(QString())).mkdir(kScratch)); // ./tmp.zvk is a folder
        fixture.writeFile(QStringLiteral("mine.zvk"), QByteArray(128, '\0'));
        fixture.writeSettings("[LastFile]\nPath=mine.zvk\n");
        TMainForm& form = fixture.start();
        form.runRecord()[0] = 0x40;
        form.SpeedButtonSaveClick();
        QCOMPARE(int(fixture.readFile(QStringLiteral("mine.zvk")).at(0)), 0x40);
        QVERIFY(fixture.prompts.errors.isEmpty());
        QVERIFY(fixture.panel(3).contains(dotted("tmp.zvk")));
    }

    void closeWritesTheSettingsWhateverTheAnswer()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.SpeedButtonNewClick();
        fixture.child<QCheckBox>("CheckBoxToBox")->setChecked(true);
        QVERIFY(form.close());
        const QByteArray settings = fixture.readFile(QStringLiteral("Zorvikta.ini"));
        QVERIFY(settings.contains("Aktive=COM 2"));
        QVERIFY(settings.contains("Jast=Send"));
        QVERIFY(settings.contains("Path=" + kNewName.toUtf8()));
        QCOMPARE(fixture.panel(3), QStringLiteral("Выход из программы..."));
    }

    // A failed write of the pattern keeps the window open, so no work is lost; settings that
    // cannot be written are reported once, with where and why, and the program still ends.
    void aFailedWriteAtTheClose_data()
    {
        QTest::addColumn<bool>("settingsFail");
        QTest::addColumn<QString>("settingsName");
        if (fullDevice())
            QTest::newRow("pattern file") << false << QString();
        QTest::newRow("settings under a file") << true << QStringLiteral("plain/Zorvikta.ini");
        QTest::newRow("settings file is a folder") << true << QStringLiteral("folder");
    }
    void aFailedWriteAtTheClose()
    {
        QFETCH(bool, settingsFail);
        QFETCH(QString, settingsName);
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("plain"), "a file, not a folder");
        QVERIFY(QDir(fixture.path(QString())).mkpath(QStringLiteral("folder/Zorvikta.ini")));
        if (settingsFail)
            fixture.settingsFile = fixture.path(settingsName == QStringLiteral("folder")
                                                    ? QStringLiteral("folder/Zorvikta.ini")
                                                    : settingsName);
        TMainForm& form = fixture.start();
        form.show();
        if (!settingsFail) {
            fixture.prompts.chosenFiles = {*fullDevice()};
            fixture.prompts.answers = {true};
            form.SpeedButtonSaveASClick();
        }
        fixture.prompts.clear();
        fixture.prompts.answers = {true, true};
        QCOMPARE(form.close(), settingsFail);
        QCOMPARE(form.isVisible(), !settingsFail);
        QCOMPARE(fixture.prompts.errors,
                 QStringList{settingsFail ? QStringLiteral("Unable to write to Zorvikta.ini")
                                          : QStringLiteral("Disk full")});
        if (settingsFail) {
            const QString details = fixture.prompts.errorDetails.constFirst();
            QVERIFY2(details.startsWith(fixture.settingsFile + QStringLiteral(": ")) &&
                         details.size() > fixture.settingsFile.size() + 2,
                     qPrintable(details));
        } else {
            QVERIFY(!fixture.exists(QStringLiteral("Zorvikta.ini")));
        }
    }

    // Qt's dialogs, a drop and settings written elsewhere give names with forward slashes; the
    // close prompt and the settings file give them as the system writes paths.
    void namesAreKeptAsTheSystemWritesThem_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("settings") << QStringLiteral("settings");
        QTest::newRow("open") << QStringLiteral("open");
        QTest::newRow("save as") << QStringLiteral("save as");
    }
    void namesAreKeptAsTheSystemWritesThem()
    {
        QFETCH(QString, way);
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("b.zvk"), runFileBytes("\x80", 4, 8, 100));
        const QString native = fixture.path(QStringLiteral("b.zvk"));
        const QString slashed = QDir::fromNativeSeparators(native);
        if (way == u"settings")
            fixture.writeSettings("[LastFile]\nPath=" + slashed.toUtf8() + '\n');
        TMainForm& form = fixture.start();
        fixture.prompts.chosenFiles = {slashed};
        fixture.prompts.answers = {true};
        if (way == u"open")
            form.SpeedButtonOpenClick();
        else if (way == u"save as")
            form.SpeedButtonSaveASClick();
        QCOMPARE(form.currentFileName(), native);
        fixture.prompts.clear();
        fixture.prompts.answers.clear();
        QVERIFY(form.close());
        QCOMPARE(fixture.prompts.questions,
                 QStringList{QStringLiteral("Записать файл <") + native + QStringLiteral("> ?")});
        QVERIFY(
            fixture.readFile(QStringLiteral("Zorvikta.ini")).contains("Path=" + native.toUtf8()));
    }

    void startUpFollowsTheSettings_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("port1");
        QTest::addColumn<bool>("immediate");
        QTest::newRow("no file") << QByteArray() << false << false;
        QTest::newRow("port 1, send")
            << QByteArray("[ComPort]\nAktive=COM 1\n[Speed]\nJast=Send\n") << true << true;
        QTest::newRow("other case is another value")
            << QByteArray("[comport]\naktive=com 1\n[SPEED]\nJAST=send\n") << false << false;
        QTest::newRow("keys found whatever their case")
            << QByteArray("[comport]\naktive=COM 1\n[SPEED]\nJAST=Send\n") << true << true;
        QTest::newRow("no blank") << QByteArray("[ComPort]\nAktive=COM1\n") << false << false;
    }
    void startUpFollowsTheSettings()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, port1);
        QFETCH(bool, immediate);
        FormFixture fixture;
        if (!settings.isEmpty())
            fixture.writeSettings(settings);
        fixture.start();
        QCOMPARE(fixture.child<QAction>("itemCom1")->isChecked(), port1);
        QCOMPARE(fixture.child<QAction>("itemCom2")->isChecked(), !port1);
        QCOMPARE(fixture.child<QCheckBox>("CheckBoxToBox")->isChecked(), immediate);
    }

    void startUpFallsBackToTheScratchCopy()
    {
        FormFixture fixture;
        fixture.writeFile(kScratch, runFileBytes("\x20", 2, 6, 100));
        fixture.writeSettings("[LastFile]\nPath=gone.zvk\n");
        TMainForm& form = fixture.start();
        QCOMPARE(form.openFileName(), dotted("tmp.zvk"));
        QCOMPARE(int(form.runRecord()[0]), 0x20);
        QCOMPARE(form.gridView().length, 6);
        QVERIFY(fixture.prompts.warnings.isEmpty());
    }

    void aFailedStartUpLoadStillOpensTheWindow()
    {
        FormFixture fixture;
        fixture.writeFile(kScratch, QByteArray(40, '\x70'));
        TMainForm& form = fixture.start();
        QCOMPARE(fixture.prompts.errors, QStringList{QStringLiteral("Read beyond end of file")});
        QCOMPARE(form.windowTitle(), QStringLiteral("Эмулятор релейной бегушки"));
        QCOMPARE(form.currentFileName(), QStringLiteral("User001.zvk"));
        QVERIFY(!fixture.child<QToolButton>("SpeedButtonSave")->isEnabled());
        QCOMPARE(int(form.runRecord()[0]), 0);
        QCOMPARE(form.gridView().length, 8);
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_Documents.moc"
