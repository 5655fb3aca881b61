#include "TestFiles.h"
#include "storage/SettingsFile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

// Aktive, Jast, Path, Device1, Device2.
QStringList valuesOf(const StoredSettings& settings)
{
    return {settings.aktive, settings.jast, settings.path, settings.device1, settings.device2};
}

StoredSettings settingsOf(const QStringList& values)
{
    return StoredSettings{values.value(0), values.value(1), values.value(2), values.value(3),
                          values.value(4)};
}

const QStringList kDefaults{u"COM 2"_s, u"err"_s, u"Tmp.zvk"_s, u"/dev/ttyS0"_s, u"/dev/ttyS1"_s};
const QStringList kChosen{u"COM 1"_s, u"Send"_s, u"./User001.zvk"_s, u"/dev/ttyUSB0"_s,
                          u"/dev/ttyUSB1"_s};
const QByteArray kChosenLines = "Aktive=COM 1\nDevice1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n";

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

QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(generator.bounded(256));
    }
    return bytes;
}

const QByteArray kHugeLine(100 * 1024, 'x');

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void firstStartGivesDefaults()
    {
        QTemporaryDir dir;
        QCOMPARE(valuesOf(SettingsFile(dir.filePath(u"cfg/Zorvikta.ini"_s)).read()), kDefaults);
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }

    void lookup_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower-case names") << "[comport]\naktive=COM 1\n"_ba << 0 << u"COM 1"_s;
        QTest::newRow("upper-case names") << "[SPEED]\nJAST=Send\n"_ba << 1 << u"Send"_s;
        QTest::newRow("value case kept") << "[ComPort]\nAktive=com 1\n"_ba << 0 << u"com 1"_s;
        QTest::newRow("empty value") << "[ComPort]\nAktive=\n"_ba << 0 << QString();
        QTest::newRow("spaces around =") << "[Speed]\nJast =  no send \n"_ba << 1 << u"no send"_s;
        QTest::newRow("CRLF and BOM")
            << "\xEF\xBB\xBF[Speed]\r\nJast=Send\r\n"_ba << 1 << u"Send"_s;
        QTest::newRow("key in another section") << "[Speed]\nAktive=COM 1\n"_ba << 0 << u"COM 2"_s;
        QTest::newRow("commented out") << "[ComPort]\n;Aktive=COM 1\n"_ba << 0 << u"COM 2"_s;
        QTest::newRow("no sections") << "Aktive=COM 1\n"_ba << 0 << u"COM 2"_s;
        QTest::newRow("first duplicate wins")
            << "[LastFile]\nPATH=first.zvk\npath=second.zvk\n"_ba << 2 << u"first.zvk"_s;
        QTest::newRow("section split in two")
            << "[ComPort]\nAktive=COM 1\n[Speed]\n[comport]\nDevice1=/dev/x\n"_ba << 3
            << u"/dev/x"_s;
        QTest::newRow("Cyrillic, quotes and =")
            << "[LastFile]\nPath=\"/дом/Бег=1.zvk\"\n"_ba << 2 << u"\"/дом/Бег=1.zvk\""_s;
        QTest::newRow("huge line first") << kHugeLine + "\n[Speed]\nJast=Send\n" << 1 << u"Send"_s;
        QTest::newRow("huge value")
            << "[LastFile]\nPath=" + kHugeLine << 2 << QString::fromLatin1(kHugeLine);
        QTest::newRow("binary garbage") << garbage(4096, 1) << 0 << u"COM 2"_s;
        QTest::newRow("section after a NUL byte")
            << "\x01\x02"_ba + '\0' + "\xFF\n[Speed]\nJast=Send\n"
            << 1 << u"Send"_s;
    }
    void lookup()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, field);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, content));
        QCOMPARE(valuesOf(SettingsFile(path).read()).at(field), expected);
        QCOMPARE(fileBytes(path), content);
    }

    void writeKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("new file") << QByteArray()
                                  << "[ComPort]\n" + kChosenLines +
                                         "[Speed]\nJast=Send\n"
                                         "[LastFile]\nPath=./User001.zvk\n";
        QTest::newRow("comments, other sections and keys")
            << "; Zorvikta\n[Window]\nLeft=10\n; last port\n[ComPort]\nAktive=COM 2\nBaud=1\n"
               "[Speed]\n# at once?\nJast=no\n[LastFile]\nPath=old.zvk\n[Extra]\nx=1\n"_ba
            << "; Zorvikta\n[Window]\nLeft=10\n; last port\n[ComPort]\nAktive=COM 1\nBaud=1\n"
               "Device1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n[Speed]\n# at once?\nJast=Send\n"
               "[LastFile]\nPath=./User001.zvk\n[Extra]\nx=1\n"_ba;
        QTest::newRow("sections in another order, duplicates")
            << "[LastFile]\nPath=a\n[Speed]\nJast=x\nJast=y\n[ComPort]\nAktive=y\nAktive=z\n"_ba
            << "[LastFile]\nPath=./User001.zvk\n[Speed]\nJast=Send\n[ComPort]\n" + kChosenLines;
        QTest::newRow("keys before any section, unknown duplicates")
            << "top=1\n[Other]\nk=1\nk=2\n"_ba
            << "top=1\n[Other]\nk=1\nk=2\n[ComPort]\n" + kChosenLines +
                   "[Speed]\nJast=Send\n[LastFile]\nPath=./User001.zvk\n";
    }
    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"new/Zorvikta.ini"_s);
        if (!content.isNull()) {
            QVERIFY(QDir(dir.path()).mkdir(u"new"_s));
            QVERIFY(putFile(path, content));
        }
        QCOMPARE(SettingsFile(path).write(settingsOf(kChosen)), std::nullopt);
        QCOMPARE(nonEmptyLines(fileBytes(path)), nonEmptyLines(expected));
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
        const SettingsFile file(path);
        QCOMPARE(file.write(settingsOf(kChosen)), std::nullopt);
        QCOMPARE(valuesOf(file.read()), kChosen);
        const QStringList lines = nonEmptyLines(fileBytes(path));
        QVERIFY(lines.contains(u"[Keep]"_s) && lines.contains(u"me=1"_s));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::newRow("defaults") << kDefaults;
        QTest::newRow("Cyrillic path") << QStringList{
            u"COM 2"_s, u"no send"_s, u"/home/юзер/Бегушка №1.zvk"_s, u"a"_s, u"b"_s};
        QTest::newRow("awkward characters")
            << QStringList{u"COM 1"_s, u"x"_s, u"a=b;c#d [e].zvk"_s, u"=x"_s, u";y"_s};
        QTest::newRow("empty values") << QStringList(5, QString());
    }
    void roundTrip()
    {
        QFETCH(QStringList, values);
        QTemporaryDir dir;
        const SettingsFile file(dir.filePath(u"Zorvikta.ini"_s));
        QCOMPARE(file.write(settingsOf(kChosen)), std::nullopt);
        QCOMPARE(file.write(settingsOf(values)), std::nullopt);
        QCOMPARE(valuesOf(file.read()), values);
    }

    void refusedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("line break in a value") << u"line break"_s;
        QTest::newRow("file size limit reached mid-write") << u"size limit"_s;
        QTest::newRow("settings path is a directory") << u"directory"_s;
        QTest::newRow("folder is a regular file") << u"parent is a file"_s;
        QTest::newRow("file too large to hold settings") << u"oversized"_s;
    }
    void refusedWriteKeepsTheOldFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString existing = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(existing, "; mine\n[ComPort]\nAktive=COM 2\n"));
        QString path = existing;
        StoredSettings settings = settingsOf(kChosen);
        if (kind == u"line break") {
            settings.path = u"a.zvk\n[ComPort]\nAktive=COM 9"_s;
        } else if (kind == u"directory") {
            path = dir.filePath(u"settings"_s);
            QVERIFY(QDir(dir.path()).mkdir(u"settings"_s));
        } else if (kind == u"parent is a file") {
            path = existing + u"/Zorvikta.ini"_s;
        } else if (kind == u"oversized") {
            QVERIFY(QFile::resize(existing, qint64(100) << 20));
        }
        const QStringList entries = folderEntries(dir.path());
        const QByteArray content = fileBytes(existing);

        std::optional<FileError> failure;
        {
            const auto limit = limitFileSize(kind == u"size limit" ? 8 : RLIM_INFINITY);
            failure = SettingsFile(path).write(settings);
        }
        QCOMPARE(failure ? failure->message : QString(),
                 u"Unable to write to "_s + QFileInfo(path).fileName());
        QCOMPARE(fileBytes(existing), content);
        QCOMPARE(folderEntries(dir.path()), entries);
    }

    void defaultPath_data()
    {
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << "/srv/cfg"_ba << u"/srv/cfg/Zorvikta.ini"_s;
        QTest::newRow("unset") << QByteArray() << u"/srv/home/.config/Zorvikta.ini"_s;
        QTest::newRow("empty") << ""_ba << u"/srv/home/.config/Zorvikta.ini"_s;
        QTest::newRow("relative") << "cfg"_ba << u"/srv/home/.config/Zorvikta.ini"_s;
    }
    void defaultPath()
    {
        QFETCH(QByteArray, configHome);
        QFETCH(QString, expected);
        const QByteArray oldHome = qgetenv("HOME");
        const bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            hadConfigHome ? qputenv("XDG_CONFIG_HOME", oldConfigHome)
                          : qunsetenv("XDG_CONFIG_HOME");
        });
        qputenv("HOME", "/srv/home");
        configHome.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", configHome);
        QCOMPARE(defaultSettingsFilePath(), expected);
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_SettingsFile.moc"
