// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AsOrdinaryUser.h"
#include "support/DiskFilling.h"
#include "support/FormFixture.h"
#include "support/ReadOnlyLock.h"
#include "support/SmallDisk.h"
#include "support/TestFiles.h"
#include <QTest>

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <memory>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

constexpr int kMessagePanel = 3;
// Below the size of either file, so that a write breaks off part-way.
constexpr qint64 kFileSizeLimit = 64;

// Run files as a save leaves them (4 channels, 8 steps, speed 230, end markers from step 8), so
// that saving the pattern in memory changes nothing in memory.
const QByteArray kOnDisk = savedFile(QByteArray("\x80\x40\x20\x10\x80\x40\x20\x10", 8), 4, 8, 230);
const QByteArray kInMemory =
    savedFile(QByteArray("\xF0\x00\xA0\x50\xF0\x00\xA0\x50", 8), 4, 8, 230);
const QByteArray kOther = savedFile(QByteArray("\x10\x20\x40\x80\x10\x20\x40\x80", 8), 4, 8, 230);
const QByteArray kSettings = "; the user's own line\n[ComPort]\nAktive=COM 1\n";

// The form started on `file`, then drawn on until it holds kInMemory.
TMainForm& startEditing(FormFixture& fixture, const QString& file)
{
    if (fixture.settingsFile.isEmpty())
        fixture.writeSettings("[LastFile]\nPath=" + file.toUtf8() + '\n');
    TMainForm& form = fixture.start();
    for (int step = 0; step < 8; ++step)
        form.runRecord()[static_cast<std::size_t>(step)] =
            static_cast<std::uint8_t>(kInMemory[step]);
    form.PaintAll();
    fixture.prompts.clear();
    return form;
}

// Runs `change` once, when the message panel first shows a text starting with `prefix`: the
// moment a command has looked at its file and is about to open it.
void onStatusMessage(FormFixture& fixture, const QString& prefix, std::function<void()> change)
{
    auto pending = std::make_shared<bool>(true);
    QObject::connect(fixture.form().statusPanels(), &StatusPanels::panelTextChanged,
                     [pending, prefix, change](int panel, const QString& text) {
                         if (*pending && panel == kMessagePanel && text.startsWith(prefix)) {
                             *pending = false;
                             change();
                         }
                     });
}

// Replaces a file by a folder holding one file of its own.
bool turnIntoFolder(const QString& path)
{
    return QFile::remove(path) && QDir().mkdir(path) &&
           putFile(path + QStringLiteral("/inside.txt"), "kept");
}

} // namespace

class TestDiskFaults : public QObject {
    Q_OBJECT
private slots:
    void aFullDiskLosesNothing_data()
    {
        QTest::addColumn<bool>("settingsOnDisk");
        QTest::addColumn<QString>("fullMessage");
        QTest::addColumn<QString>("cutShortMessage");
        QTest::newRow("run file, Save")
            << false << QStringLiteral("Disk full") << QStringLiteral("I/O error %1").arg(EFBIG);
        QTest::newRow("settings file, close")
            << true << QStringLiteral("Unable to write to Zorvikta.ini")
            << QStringLiteral("Unable to write to Zorvikta.ini");
    }
    void aFullDiskLosesNothing()
    {
        QFETCH(bool, settingsOnDisk);
        QFETCH(QString, fullMessage);
        QFETCH(QString, cutShortMessage);
        FormFixture fixture;
        QVERIFY(QDir(fixture.path(QString())).mkdir(QStringLiteral("disk")));
        const SmallDisk disk(fixture.path(QStringLiteral("disk")));
        if (!disk.isMounted() && !whyNoFillingDisk().isEmpty())
            QSKIP(qPrintable(disk.failure() + QStringLiteral("; ") + whyNoFillingDisk()));
        const QString file = fixture.path(QStringLiteral("disk/mine.zvk"));
        QVERIFY(putFile(file, kOnDisk));
        if (settingsOnDisk) {
            fixture.settingsFile = fixture.path(QStringLiteral("disk/Zorvikta.ini"));
            QVERIFY(putFile(fixture.settingsFile,
                            kSettings + "[LastFile]\nPath=" + file.toUtf8() + '\n'));
        }
        TMainForm& form = startEditing(fixture, file);
        form.show();
        const QByteArray settingsBefore = fileBytes(fixture.settingsFile);

        // Without the right to mount, a limit on the size of written files cuts the writes short.
        if (disk.isMounted())
            QVERIFY(disk.fill());
        const QStringList entriesBefore = folderEntries(fixture.path(QStringLiteral("disk")));
        {
            const auto limit =
                disk.isMounted() ? nullptr : std::make_unique<FillingDisk>(kFileSizeLimit);
            // The settings are not the user's work: their failure is shown and the close goes on.
            if (settingsOnDisk) {
                fixture.prompts.answers = {false};
                QVERIFY(form.close());
            } else {
                form.SpeedButtonSaveClick();
            }
        }

        QCOMPARE(fixture.prompts.errors,
                 QStringList{disk.isMounted() ? fullMessage : cutShortMessage});
        QCOMPARE(fileBytes(file), kOnDisk);
        QCOMPARE(recordBytes(form.runRecord()), kInMemory);
        QCOMPARE(form.isVisible(), !settingsOnDisk);
        if (settingsOnDisk)
            QCOMPARE(fileBytes(fixture.settingsFile), settingsBefore);
        if (disk.isMounted())
            QCOMPARE(folderEntries(fixture.path(QStringLiteral("disk"))), entriesBefore);
    }

    void aLockedPlaceLosesNothing_data()
    {
        QTest::addColumn<QString>("locked");
        QTest::addColumn<bool>("settingsLocked");
        QTest::addColumn<QString>("message");
        QTest::newRow("run file's folder, Save")
            << QStringLiteral("locked") << false << QStringLiteral("File access denied");
        QTest::newRow("run file, Save")
            << QStringLiteral("locked/mine.zvk") << false << QStringLiteral("File access denied");
        QTest::newRow("settings file's folder, close")
            << QStringLiteral("locked") << true
            << QStringLiteral("Unable to write to Zorvikta.ini");
        QTest::newRow("settings file, close") << QStringLiteral("locked/Zorvikta.ini") << true
                                              << QStringLiteral("Unable to write to Zorvikta.ini");
    }
    void aLockedPlaceLosesNothing()
    {
        QFETCH(QString, locked);
        QFETCH(bool, settingsLocked);
        QFETCH(QString, message);
        FormFixture fixture;
        QVERIFY(QDir(fixture.path(QString())).mkdir(QStringLiteral("locked")));
        const QString file = fixture.path(QStringLiteral("locked/mine.zvk"));
        QVERIFY(putFile(file, kOnDisk));
        fixture.settingsFile = fixture.path(QStringLiteral("locked/Zorvikta.ini"));
        QVERIFY(
            putFile(fixture.settingsFile, kSettings + "[LastFile]\nPath=" + file.toUtf8() + '\n'));
        TMainForm& form = startEditing(fixture, file);
        form.show();
        const QByteArray settingsBefore = fileBytes(fixture.settingsFile);
        const QStringList entriesBefore = folderEntries(fixture.path(QStringLiteral("locked")));

        const ReadOnlyLock lock(fixture.path(locked));
        if (!lock.isLocked())
            QSKIP(ReadOnlyLock::whyUnlocked());
        if (settingsLocked) {
            fixture.prompts.answers = {false};
            QVERIFY(form.close());
        } else {
            form.SpeedButtonSaveClick();
        }

        QCOMPARE(fixture.prompts.errors, QStringList{message});
        QCOMPARE(fileBytes(file), kOnDisk);
        QCOMPARE(fileBytes(fixture.settingsFile), settingsBefore);
        QCOMPARE(folderEntries(fixture.path(QStringLiteral("locked"))), entriesBefore);
        QCOMPARE(recordBytes(form.runRecord()), kInMemory);
        QCOMPARE(form.isVisible(), !settingsLocked);
    }

    // What an ordinary user meets: permission bits on the file, its folder, the scratch copy or
    // the settings. A file its user may not write is never replaced; a writable file in a folder
    // that refuses a temporary file is written in place.
    void permissionsOfAnOrdinaryUser_data()
    {
        QTest::addColumn<QString>("command"); // "save" or "port"
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("scratchMode"); // 0: no scratch copy yet
        QTest::addColumn<int>("settingsMode");
        QTest::addColumn<QString>("error"); // empty: the command succeeds
        QTest::addColumn<QByteArray>("fileAfter");
        const QString denied = QStringLiteral("File access denied");
        const QString settingsRefused = QStringLiteral("Unable to write to Zorvikta.ini");
        QTest::newRow("writable file (control)")
            << QStringLiteral("save") << 0644 << 0755 << 0 << 0644 << QString() << kInMemory;
        QTest::newRow("read-only file")
            << QStringLiteral("save") << 0444 << 0755 << 0 << 0644 << denied << kOnDisk;
        QTest::newRow("writable file in a read-only folder")
            << QStringLiteral("save") << 0644 << 0555 << 0 << 0644 << QString() << kInMemory;
        QTest::newRow("read-only file in a read-only folder")
            << QStringLiteral("save") << 0444 << 0555 << 0 << 0644 << denied << kOnDisk;
        QTest::newRow("read-only scratch copy")
            << QStringLiteral("save") << 0644 << 0755 << 0444 << 0644 << QString() << kInMemory;
        QTest::newRow("read-only settings, port pick")
            << QStringLiteral("port") << 0644 << 0755 << 0 << 0444 << settingsRefused << kOnDisk;
    }
    void permissionsOfAnOrdinaryUser()
    {
        if (!runAsOrdinaryUser())
            return;
        QFETCH(QString, command);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(int, scratchMode);
        QFETCH(int, settingsMode);
        QFETCH(QString, error);
        QFETCH(QByteArray, fileAfter);
        FormFixture fixture;
        const QString folder = fixture.path(QStringLiteral("place"));
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + QStringLiteral("/mine.zvk");
        QVERIFY(putFile(file, kOnDisk));
        const QByteArray scratchBefore = kOther;
        if (scratchMode != 0)
            QVERIFY(putFile(fixture.path(QStringLiteral("tmp.zvk")), scratchBefore));
        TMainForm& form = startEditing(fixture, file);
        const QByteArray settingsBefore = fixture.readFile(QStringLiteral("Zorvikta.ini"));
        // Owner, group and others, each read, write and execute: the octal digits and Qt's hex
        // digits list them in the same order.
        const auto permit = [](const QString& path, int mode) {
            const int owner = (mode >> 6) & 7;
            const int group = (mode >> 3) & 7;
            const int others = mode & 7;
            return QFile::setPermissions(
                path, QFileDevice::Permissions::fromInt(owner << 12 | group << 4 | others));
        };
        QVERIFY(permit(file, fileMode));
        QVERIFY(permit(folder, folderMode));
        if (scratchMode != 0)
            QVERIFY(permit(fixture.path(QStringLiteral("tmp.zvk")), scratchMode));
        QVERIFY(permit(fixture.settingsPath(), settingsMode));

        if (command == QStringLiteral("save"))
            form.SpeedButtonSaveClick();
        else
            form.itemCom1Click();

        QCOMPARE(fixture.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(fileBytes(file), fileAfter);
        QCOMPARE(folderEntries(folder), QStringList{QStringLiteral("mine.zvk")});
        if (scratchMode != 0) {
            QCOMPARE(fixture.readFile(QStringLiteral("tmp.zvk")), scratchBefore);
            QVERIFY(fixture.panel(kMessagePanel).startsWith(QStringLiteral("Копия ")));
        }
        if (settingsMode == 0444)
            QCOMPARE(fixture.readFile(QStringLiteral("Zorvikta.ini")), settingsBefore);
        QVERIFY(permit(folder, 0755));
    }

    void aFileThatChangesUnderTheCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message"); // empty: the command succeeds
        QTest::addColumn<QByteArray>("inMemory");
        const QString denied = QStringLiteral("File access denied");
        QTest::newRow("removed before Save writes it")
            << QStringLiteral("save") << QStringLiteral("remove") << QString() << kInMemory;
        QTest::newRow("a folder before Save writes it")
            << QStringLiteral("save") << QStringLiteral("folder") << denied << kInMemory;
        QTest::newRow("removed before Open reads it")
            << QStringLiteral("open") << QStringLiteral("remove")
            << QStringLiteral("File not found") << kInMemory;
        QTest::newRow("a folder before Open reads it")
            << QStringLiteral("open") << QStringLiteral("folder") << denied << kInMemory;
        QTest::newRow("a folder before the close")
            << QStringLiteral("close") << QStringLiteral("folder") << denied << kInMemory;
        QTest::newRow("nothing happens to it (control)")
            << QStringLiteral("open") << QString() << QString() << kOther;
    }
    void aFileThatChangesUnderTheCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, change);
        QFETCH(QString, message);
        QFETCH(QByteArray, inMemory);
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("mine.zvk"), kOnDisk);
        fixture.writeFile(QStringLiteral("other.zvk"), kOther);
        TMainForm& form = startEditing(fixture, QStringLiteral("mine.zvk"));
        form.show();
        // Open reads other.zvk; Save and the close write mine.zvk.
        const QString target =
            fixture.path(command == QStringLiteral("open") ? QStringLiteral("other.zvk")
                                                           : QStringLiteral("mine.zvk"));
        const QByteArray targetBefore = fileBytes(target);
        const QByteArray settingsBefore = fixture.readFile(QStringLiteral("Zorvikta.ini"));
        const auto changeIt = [&] {
            if (change == QStringLiteral("remove"))
                QVERIFY(QFile::remove(target));
            else if (change == QStringLiteral("folder"))
                QVERIFY(turnIntoFolder(target));
        };

        if (command == QStringLiteral("save")) {
            onStatusMessage(fixture, QStringLiteral("Запись файла: "), changeIt);
            form.SpeedButtonSaveClick();
        } else if (command == QStringLiteral("open")) {
            onStatusMessage(fixture, QStringLiteral("Чтение файла: "), changeIt);
            fixture.prompts.chosenFiles = {target};
            form.SpeedButtonOpenClick();
        } else {
            changeIt();
            fixture.prompts.answers = {true};
            QVERIFY(!form.close());
            QVERIFY(form.isVisible());
            QCOMPARE(fixture.readFile(QStringLiteral("Zorvikta.ini")), settingsBefore);
        }

        QCOMPARE(fixture.prompts.errors, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(recordBytes(form.runRecord()), inMemory);
        if (change == QStringLiteral("folder")) {
            QVERIFY(QFileInfo(target).isDir());
            QCOMPARE(fileBytes(target + QStringLiteral("/inside.txt")), QByteArray("kept"));
        } else if (command == QStringLiteral("save")) {
            QCOMPARE(fileBytes(target), kInMemory);
        } else {
            QCOMPARE(fileBytes(target), change.isEmpty() ? targetBefore : QByteArray());
        }
    }
};

QTEST_MAIN(TestDiskFaults)
#include "tst_DiskFaults.moc"
