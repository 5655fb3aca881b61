// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFile.h"
#include "support/AsOrdinaryUser.h"
#include "support/DiskFilling.h"
#include "support/TestFiles.h"
#include "support/ThisSystem.h"

#include <QMetaType>

#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zorvikta::Settings)
Q_DECLARE_METATYPE(zorvikta::SettingsKeys)

namespace {

// Enough saves to show a file that grows or keeps changing.
constexpr int kSaves = 5;

const PortDevices kDeviceDefaults{u"/dev/ttyS0"_s, u"/dev/ttyS1"_s};
const Settings kDefaults{PortChoice::Com2, false, u"Tmp.zvk"_s, kDeviceDefaults};
const Settings kChosen{
    PortChoice::Com1, true, u"./User001.zvk"_s, {u"/dev/ttyUSB0"_s, u"/dev/ttyUSB1"_s}};
const QByteArray kChosenLines = "Aktive=COM 1\nDevice1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n";
const QByteArray kChosenFile =
    "[ComPort]\n" + kChosenLines + "[Speed]\nJast=Send\n[LastFile]\nPath=./User001.zvk\n";

SettingsFile settingsAt(const QString& path)
{
    return SettingsFile(path, kDeviceDefaults);
}

QStringList nonEmptyLines(const QByteArray& text)
{
    QStringList lines;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            lines << QString::fromUtf8(line);
        }
    }
    return lines;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void firstStartGivesDefaults()
    {
        QTemporaryDir dir;
        QCOMPARE(settingsAt(dir.filePath(u"cfg/Zorvikta.ini"_s)).read(), kDefaults);
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }

    // What the file's strings mean: exact comparisons, defaults for what is missing.
    void typedValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Settings>("expected");
        const auto with = [](PortChoice port, bool speed, const QString& path = u"Tmp.zvk"_s,
                             const PortDevices& devices = kDeviceDefaults) {
            return Settings{port, speed, path, devices};
        };
        QTest::newRow("COM 1, Send")
            << "[ComPort]\nAktive=COM 1\n[Speed]\nJast=Send\n"_ba << with(PortChoice::Com1, true);
        QTest::newRow("COM 2, no send") << "[ComPort]\nAktive=COM 2\n[Speed]\nJast=no send\n"_ba
                                        << with(PortChoice::Com2, false);
        QTest::newRow("com 1, send")
            << "[ComPort]\nAktive=com 1\n[Speed]\nJast=send\n"_ba << with(PortChoice::Com2, false);
        QTest::newRow("COM1, err")
            << "[ComPort]\nAktive=COM1\n[Speed]\nJast=err\n"_ba << with(PortChoice::Com2, false);
        QTest::newRow("empty values") << "[ComPort]\nAktive=\n[LastFile]\nPath=\n"_ba
                                      << with(PortChoice::Com2, false, QString());
        QTest::newRow("names in another case, blanks around the value")
            << "[comport]\nAKTIVE = COM 1 \n[speed]\njast\t=\tSend\n"_ba
            << with(PortChoice::Com1, true);
        QTest::newRow("path and devices exactly as stored")
            << "[LastFile]\nPath=./Бег 1.zvk\n[ComPort]\nDevice2=/dev/serial/by-id/usb-x\n"_ba
            << with(PortChoice::Com2, false, u"./Бег 1.zvk"_s,
                    {u"/dev/ttyS0"_s, u"/dev/serial/by-id/usb-x"_s});
    }
    void typedValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(Settings, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, content));
        QCOMPARE(settingsAt(path).read(), expected);
        QCOMPARE(fileBytes(path), content);
    }

    void writeKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<SettingsKeys>("keys");
        QTest::addColumn<QByteArray>("expected");
        const SettingsKeys choices = SettingsKeys::Choices;
        const SettingsKeys all = SettingsKeys::ChoicesAndDevices;
        QTest::newRow("new file") << QByteArray() << all << kChosenFile;
        QTest::newRow("new file, choices only")
            << QByteArray() << choices
            << "[ComPort]\nAktive=COM 1\n[Speed]\nJast=Send\n[LastFile]\nPath=./User001.zvk\n"_ba;
        QTest::newRow("comments, other sections and keys")
            << "; Zorvikta\n[Window]\nLeft=10\n; last port\n[ComPort]\nAktive=COM 2\nBaud=1\n"
               "[Speed]\n# at once?\nJast=no\n[LastFile]\nPath=old.zvk\n[Extra]\nx=1\n"_ba
            << all
            << "; Zorvikta\n[Window]\nLeft=10\n; last port\n[ComPort]\nAktive=COM 1\nBaud=1\n"
               "Device1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n[Speed]\n# at once?\nJast=Send\n"
               "[LastFile]\nPath=./User001.zvk\n[Extra]\nx=1\n"_ba;
        QTest::newRow("sections in another order, duplicates")
            << "[LastFile]\nPath=a\n[Speed]\nJast=x\nJast=y\n[ComPort]\nAktive=y\nAktive=z\n"_ba
            << all
            << "[LastFile]\nPath=./User001.zvk\n[Speed]\nJast=Send\nJast=y\n[ComPort]\n"
               "Aktive=COM 1\nAktive=z\nDevice1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n"_ba;
        QTest::newRow("keys before any section, unknown duplicates")
            << "top=1\n[Other]\nk=1\nk=2\n"_ba << all << "top=1\n[Other]\nk=1\nk=2\n" + kChosenFile;
        QTest::newRow("a user's own spelling: blanks, quotes, CRLF, blank lines, broken header")
            << "; mine\r\n\r\n[ComPort]\r\nBaud = 9600\r\n  aktive = \"COM 2\"\r\n\r\n"
               "[ComPort\r\ndevice1 = /dev/ttyACM0\r\n"_ba
            << choices
            << "; mine\r\n\r\n[ComPort]\r\nBaud = 9600\r\n  aktive = COM 1\r\n\r\n"
               "[ComPort\r\ndevice1 = /dev/ttyACM0\r\n[Speed]\r\nJast=Send\r\n[LastFile]\r\n"
               "Path=./User001.zvk\r\n"_ba;
        QTest::newRow("device lines kept by a port pick")
            << "[ComPort]\nDevice1=/dev/ttyACM7\nAktive=COM 2\nDevice2=\n"_ba << choices
            << "[ComPort]\nDevice1=/dev/ttyACM7\nAktive=COM 1\nDevice2=\n"
               "[Speed]\nJast=Send\n[LastFile]\nPath=./User001.zvk\n"_ba;
        QTest::newRow("chosen devices replace the first of duplicates")
            << "[ComPort]\nDEVICE1=/dev/a\nDevice1=/dev/b\n"_ba << all
            << "[ComPort]\nDEVICE1=/dev/ttyUSB0\nDevice1=/dev/b\nAktive=COM 1\n"
               "Device2=/dev/ttyUSB1\n[Speed]\nJast=Send\n[LastFile]\nPath=./User001.zvk\n"_ba;
    }
    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(SettingsKeys, keys);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"new/Zorvikta.ini"_s);
        if (!content.isNull()) {
            QVERIFY(QDir(dir.path()).mkdir(u"new"_s));
            QVERIFY(putFile(path, content));
        }
        const SettingsFile file(path, kDeviceDefaults);
        QCOMPARE(file.write(kChosen, keys), std::nullopt);
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(folderEntries(dir.filePath(u"new"_s)), QStringList{u"Zorvikta.ini"_s});
    }

    // Whatever the file held, a write makes it say what was written and keeps what it could read.
    void damagedFileTakesAWrite_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("binary garbage") << garbage(4096, 2);
        QTest::newRow("garbage ending in NUL bytes") << garbage(64, 3) + QByteArray(8, '\0');
        QTest::newRow("no sections, stray text") << "Aktive=COM 1\nfree text\n"_ba;
        QTest::newRow("huge line") << kHugeLine;
        QTest::newRow("unclosed brackets, empty key") << "[ComPort\n=x\n]]\n[broken\n"_ba;
    }
    void damagedFileTakesAWrite()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, content + "\n[Keep]\nme=1\n"));
        const SettingsFile file = settingsAt(path);
        QCOMPARE(file.write(kChosen, SettingsKeys::ChoicesAndDevices), std::nullopt);
        QCOMPARE(file.read(), kChosen);
        const QStringList lines = nonEmptyLines(fileBytes(path));
        QVERIFY(lines.contains(u"[Keep]"_s) && lines.contains(u"me=1"_s));
    }

    void roundTrip_data()
    {
        QTest::addColumn<Settings>("values");
        QTest::newRow("defaults") << kDefaults;
        QTest::newRow("Cyrillic path")
            << Settings{PortChoice::Com2, false, u"/home/юзер/Бегушка №1.zvk"_s, {u"a"_s, u"b"_s}};
        QTest::newRow("awkward characters")
            << Settings{PortChoice::Com1, false, u"a=b;c#d [e].zvk"_s, {u"=x"_s, u";y"_s}};
        QTest::newRow("empty values") << Settings{PortChoice::Com2, true, QString(), {}};
    }
    void roundTrip()
    {
        QFETCH(Settings, values);
        QTemporaryDir dir;
        const SettingsFile file = settingsAt(dir.filePath(u"Zorvikta.ini"_s));
        QCOMPARE(file.write(kChosen, SettingsKeys::ChoicesAndDevices), std::nullopt);
        QCOMPARE(file.write(values, SettingsKeys::ChoicesAndDevices), std::nullopt);
        QCOMPARE(file.read(), values);
    }

    void refusedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("reason"); // the errno whose words the box gives
        QTest::newRow("disk filling up mid-write") << u"filling disk"_s << fullDiskError();
        QTest::newRow("settings path is a directory") << u"directory"_s << EISDIR;
        QTest::newRow("folder is a regular file") << u"parent is a file"_s << fileAsFolderError();
        QTest::newRow("file too large to hold settings") << u"oversized"_s << EFBIG;
        QTest::newRow("file its user may not read") << u"unreadable"_s << EACCES;
    }
    void refusedWriteKeepsTheOldFile()
    {
        QFETCH(QString, kind);
        QFETCH(int, reason);
        if (const QString why = whyNoFillingDisk(); kind == u"filling disk" && !why.isEmpty())
            QSKIP(qPrintable(why));
        // Root reads any file.
        if (kind == u"unreadable" && !runAsOrdinaryUser())
            return;
        QTemporaryDir dir;
        const QString existing = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(existing, "; mine\n[ComPort]\nAktive=COM 2\n"));
        QString path = existing;
        Settings settings = kChosen;
        if (kind == u"directory") {
            path = dir.filePath(u"settings"_s);
            QVERIFY(QDir(dir.path()).mkdir(u"settings"_s));
        } else if (kind == u"parent is a file") {
            path = existing + u"/Zorvikta.ini"_s;
        } else if (kind == u"oversized") {
            QVERIFY(QFile::resize(existing, qint64(100) << 20));
        }
        const QStringList entries = folderEntries(dir.path());
        const QByteArray content = fileBytes(existing);
        if (kind == u"unreadable")
            QVERIFY(QFile::setPermissions(existing, QFileDevice::WriteOwner));

        std::optional<FileError> failure;
        {
            const std::optional<FillingDisk> disk =
                kind == u"filling disk" ? std::make_optional<FillingDisk>(8) : std::nullopt;
            failure = settingsAt(path).write(settings, SettingsKeys::ChoicesAndDevices);
        }
        QCOMPARE(failure ? failure->message : QString(),
                 u"Unable to write to "_s + QFileInfo(path).fileName());
        QCOMPARE(failure->systemReason(), QString::fromLocal8Bit(std::strerror(reason)));
        QVERIFY(QFile::setPermissions(existing, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(fileBytes(existing), content);
        QCOMPARE(folderEntries(dir.path()), entries);
    }

    // A value that a line cannot hold keeps its key's old line, the other keys are written, and
    // the failure names the value; a value read from the file and given back unchanged keeps its
    // bytes, whatever they are.
    void valuesALineCannotHold_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("lastFile");
        QTest::addColumn<QString>("device1");
        QTest::addColumn<QString>("device2");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("message"); // empty: the write succeeds
        const QByteArray old = "[ComPort]\nAktive=COM 2\nDevice1=/dev/a\nDevice2=/dev/b\n"
                               "[LastFile]\nPath=old.zvk\n"_ba;
        const QByteArray written = "[ComPort]\nAktive=COM 1\nDevice1=%1\nDevice2=%2\n"
                                   "[LastFile]\nPath=%3\n[Speed]\nJast=Send\n"_ba;
        const auto file = [&](const char* device1, const char* device2, const char* lastFile) {
            return QByteArray(written)
                .replace("%1", device1)
                .replace("%2", device2)
                .replace("%3", lastFile);
        };
        QTest::newRow("line feed in the last file's name")
            << old << u"/dir/two\nlines.zvk"_s << u"/dev/ttyUSB0"_s << u"/dev/ttyUSB1"_s
            << file("/dev/ttyUSB0", "/dev/ttyUSB1", "old.zvk")
            << u"Unable to keep the last file's name in Zorvikta.ini"_s;
        QTest::newRow("carriage return after a device, NUL in the other")
            << old << u"new.zvk"_s << u"/dev/ttyUSB0\r"_s << u"/dev/tty\0USB1"_s
            << file("/dev/a", "/dev/b", "new.zvk")
            << u"Unable to keep the COM 1 device and the COM 2 device in Zorvikta.ini"_s;
        QTest::newRow("CR LF in a new file's name, nothing stored yet")
            << QByteArray() << u"a\r\nb.zvk"_s << u"/dev/ttyUSB0"_s << u"/dev/ttyUSB1"_s
            << "[ComPort]\nAktive=COM 1\nDevice1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n"
               "[Speed]\nJast=Send\n"_ba
            << u"Unable to keep the last file's name in Zorvikta.ini"_s;
        const QByteArray stored = "[ComPort]\nDevice2=/dev/x\0y\n[LastFile]\nPath=a\rb.zvk\n"_ba;
        QTest::newRow("NUL and carriage return stored, given back unchanged")
            << stored << u"a\rb.zvk"_s << u"/dev/ttyUSB0"_s << QString::fromUtf8("/dev/x\0y", 8)
            << "[ComPort]\nDevice2=/dev/x\0y\nAktive=COM 1\nDevice1=/dev/ttyUSB0\n"
               "[LastFile]\nPath=a\rb.zvk\n[Speed]\nJast=Send\n"_ba
            << QString();
    }
    // A name kept as bytes that are not UTF-8 (edited by hand) reads with replacement characters;
    // given back unchanged, it keeps its own bytes instead of taking those characters.
    void valuesNotUtf8StayAsStored_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<SettingsKeys>("keys");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("device, written by the device dialog")
            << "[ComPort]\nDevice1=/dev/zvk-\xFF\xFE\n"_ba << SettingsKeys::ChoicesAndDevices
            << "[ComPort]\nDevice1=/dev/zvk-\xFF\xFE\nAktive=COM 1\nDevice2=/dev/ttyS1\n"
               "[Speed]\nJast=no send\n[LastFile]\nPath=Tmp.zvk\n"_ba;
        QTest::newRow("last file, written by a port pick")
            << "[LastFile]\nPath=/dir/\xFF\xFE-bad.zvk\n"_ba << SettingsKeys::Choices
            << "[LastFile]\nPath=/dir/\xFF\xFE-bad.zvk\n[ComPort]\nAktive=COM 1\n"
               "[Speed]\nJast=no send\n"_ba;
    }
    void valuesNotUtf8StayAsStored()
    {
        QFETCH(QByteArray, stored);
        QFETCH(SettingsKeys, keys);
        QFETCH(QByteArray, expected);
        if (readsSettingsInACodePage())
            QSKIP("a file that is not UTF-8 is read here in the code page older programs wrote");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, stored));
        const SettingsFile file = settingsAt(path);
        Settings settings = file.read();
        settings.port = PortChoice::Com1;
        QCOMPARE(file.write(settings, keys), std::nullopt);
        QCOMPARE(fileBytes(path), expected);
    }

    void valuesALineCannotHold()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, lastFile);
        QFETCH(QString, device1);
        QFETCH(QString, device2);
        QFETCH(QByteArray, expected);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        if (!content.isNull())
            QVERIFY(putFile(path, content));
        Settings settings = kChosen;
        settings.lastFile = lastFile;
        settings.devices = {device1, device2};
        const auto failure = settingsAt(path).write(settings, SettingsKeys::ChoicesAndDevices);
        QCOMPARE(failure ? failure->message : QString(), message);
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(folderEntries(dir.path()), QStringList{u"Zorvikta.ini"_s});
    }

    // Another instance holds the lock while it reads, changes and writes the file: a write waits
    // for it, then reads what that instance wrote instead of undoing it.
    void writeWaitsForAnotherInstancesWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, "[ComPort]\nAktive=COM 2\n"));
        QLockFile otherInstance(path + u".lock"_s);
        QVERIFY(otherInstance.lock());

        auto write = std::async(std::launch::async, [&] {
            return settingsAt(path).write(kChosen, SettingsKeys::Choices);
        });
        QCOMPARE(write.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
        QVERIFY(putFile(path, "[ComPort]\nAktive=COM 2\nDevice1=/dev/by-the-other\n"));
        otherInstance.unlock();

        QCOMPARE(write.get(), std::nullopt);
        QCOMPARE(fileBytes(path), "[ComPort]\nAktive=COM 1\nDevice1=/dev/by-the-other\n"
                                  "[Speed]\nJast=Send\n[LastFile]\nPath=./User001.zvk\n"_ba);
        QCOMPARE(folderEntries(dir.path()), QStringList{u"Zorvikta.ini"_s});
    }

    // The program writes its settings at every close and every port choice, so whatever a file
    // held must settle after a save or two instead of changing, and growing, with each one.
    void repeatedSavesSettle_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("keptLine"); // a line of the user's that every save keeps
        QTest::newRow("well-formed section of the user's") << "[Other]\nkey=value\n"_ba
                                                           << "key=value"_ba;
        QTest::newRow("header without its closing bracket") << "[Other\nkey=value\n"_ba
                                                            << "key=value"_ba;
        QTest::newRow("closing bracket on the next line") << "[Other\n]\nkey=value\n"_ba
                                                          << "key=value"_ba;
        QTest::newRow("broken header after our section")
            << "[ComPort]\nAktive=COM 2\n[Broken\nx=1\n"_ba
            << "x=1"_ba;
        QTest::newRow("NUL bytes inside a header") << "[Com\x14ort\0\0\0]\n\x1a"
                                                      "Device1=a=b\n"_ba
                                                   << QByteArray();
        QTest::newRow("header broken by a carriage return")
            << "[Speed\r]\nJast=no send\nmine=1\n"_ba
            << "mine=1"_ba;
    }

    void repeatedSavesSettle()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, keptLine);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, content));
        const SettingsFile file = settingsAt(path);
        const Settings& settings = kChosen;

        QByteArrayList saved;
        for (int save = 0; save < kSaves; ++save) {
            QCOMPARE(file.write(settings, SettingsKeys::ChoicesAndDevices), std::nullopt);
            saved << fileBytes(path);
        }
        QCOMPARE(saved.constLast(), saved.constFirst());
        QVERIFY(file.read() == settings);
        if (!keptLine.isEmpty())
            QVERIFY(saved.constLast().split('\n').contains(keptLine));
    }

    void defaultPath_data()
    {
        QTest::addColumn<int>("row");
        const QList<SettingsPlaceRow> rows = settingsPlaces();
        for (int row = 0; row < rows.size(); ++row)
            QTest::newRow(rows.at(row).tag) << row;
    }
    void defaultPath()
    {
        QFETCH(int, row);
        const SettingsPlaceRow place = settingsPlaces().at(row);
        QList<std::pair<const char*, std::optional<QByteArray>>> before;
        for (const auto& [name, value] : place.environment) {
            before.append({name, qEnvironmentVariableIsSet(name) ? std::make_optional(qgetenv(name))
                                                                 : std::nullopt});
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
        const auto restore = qScopeGuard([&] {
            for (const auto& [name, value] : before)
                value ? qputenv(name, *value) : qunsetenv(name);
        });
        QCOMPARE(defaultSettingsFilePath(), place.expected);
    }

    // Where the settings once lived in a folder shared by all users, that file is read until the
    // user's own file exists; saving writes the user's file only, as UTF-8, in a folder it makes
    // if need be, keeping the lines it read. An older program wrote that file in its code page.
    void earlierSettingsAreCarriedOver_data()
    {
        QTest::addColumn<bool>("userFileExists");
        QTest::addColumn<bool>("olderCodePage");
        QTest::newRow("no file of the user's") << false << false;
        QTest::newRow("the user's own file") << true << false;
        QTest::newRow("no file of the user's, in the older code page") << false << true;
    }
    void earlierSettingsAreCarriedOver()
    {
        QFETCH(bool, userFileExists);
        QFETCH(bool, olderCodePage);
        const std::optional<QByteArray> variable = earlierSettingsFolderVariable();
        if (!variable)
            QSKIP("the settings have always lived with the user here");
        std::optional<std::pair<QString, QByteArray>> oldFile =
            std::pair{u"C:\\Old\\Run.zvk"_s, "C:\\Old\\Run.zvk"_ba};
        if (olderCodePage)
            oldFile = nameInTheOlderCodePage();
        if (!oldFile)
            QSKIP("the code page older programs wrote holds no letters beyond ASCII here");
        const auto& [oldName, oldBytes] = *oldFile;
        QTemporaryDir earlierFolder;
        const QByteArray earlier =
            "[LastFile]\nPath=" + oldBytes + "\n[Other]\nKept=" + oldBytes + "\n";
        QVERIFY(putFile(earlierFolder.filePath(u"Zorvikta.ini"_s), earlier));
        const QByteArray oldFolder = qgetenv(variable->constData());
        qputenv(variable->constData(),
                QDir::toNativeSeparators(earlierFolder.path()).toLocal8Bit());
        // The user's folder of a test run, not the real one.
        QStandardPaths::setTestModeEnabled(true);
        const auto restore = qScopeGuard([&] {
            QStandardPaths::setTestModeEnabled(false);
            qputenv(variable->constData(), oldFolder);
        });

        // Without a file of the user's, the user's folder is not there either: the save makes it.
        const QString userPath = defaultSettingsFilePath();
        const QString userFolder = QFileInfo(userPath).absolutePath();
        QVERIFY(QDir(userFolder).removeRecursively());
        if (userFileExists) {
            QVERIFY(QDir().mkpath(userFolder));
            QVERIFY(putFile(userPath, "[LastFile]\nPath=D:\\Mine.zvk\n"));
        }

        const SettingsFile settings(userPath, defaultDevices());
        Settings read = settings.read();
        QCOMPARE(read.lastFile, userFileExists ? u"D:\\Mine.zvk"_s : oldName);

        read.lastFile = dotted("User001.zvk");
        QCOMPARE(settings.write(read, SettingsKeys::Choices), std::nullopt);
        QCOMPARE(fileBytes(earlierFolder.filePath(u"Zorvikta.ini"_s)), earlier);
        const QByteArray written = fileBytes(userPath);
        QVERIFY(written.contains("Path=" + dotted("User001.zvk").toUtf8()));
        QCOMPARE(written.contains("Kept=" + oldName.toUtf8()), !userFileExists);
        QVERIFY(QDir(userFolder).removeRecursively());
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_SettingsFile.moc"
