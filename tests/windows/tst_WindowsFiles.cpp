// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows file code: atomic replace, the read-only attribute, the error kinds the user sees,
// and where the settings live.
#include "storage/RunFile.h"
#include "storage/SettingsFile.h"
#include "storage/SystemErrors.h"
#include "support/FileFailures.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zorvikta::FileError::Kind)

namespace {

RunFileImage imageFilledWith(char byte)
{
    RunFileImage image{};
    image.fill(static_cast<std::uint8_t>(byte));
    return image;
}

bool setReadOnly(const QString& path, bool readOnly)
{
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    return ::SetFileAttributesW(name.c_str(),
                                readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

// A file that cannot be written (or read) as a run file, made inside `dir`; `plain` holds bytes
// that must survive.
QString awkwardPath(const QString& kind, const QTemporaryDir& dir)
{
    putFile(dir.filePath(u"plain.zvk"_s), "keep me");
    if (kind == u"read-only attribute") {
        setReadOnly(dir.filePath(u"plain.zvk"_s), true);
        return dir.filePath(u"plain.zvk"_s);
    }
    if (kind == u"directory") {
        QDir(dir.path()).mkdir(u"folder.zvk"_s);
        return dir.filePath(u"folder.zvk"_s);
    }
    if (kind == u"missing folder")
        return dir.filePath(u"nowhere/inside.zvk"_s);
    if (kind == u"reserved character")
        return dir.filePath(u"a<b>.zvk"_s);
    return dir.filePath(u"absent.zvk"_s);
}

// The bytes of a text in the system's ANSI code page.
QByteArray inAnsiCodePage(const QString& text)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    ::WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A name that the ANSI code page writes in bytes that are not UTF-8: Cyrillic where the code page
// has it, Latin letters with accents where it has those; empty where it has neither.
QString ansiName()
{
    for (const QString& name : {u"C:\\Проекты\\старый.zvk"_s, u"C:\\Café\\Ärger.zvk"_s}) {
        BOOL lost = FALSE;
        const auto* wide = reinterpret_cast<const wchar_t*>(name.utf16());
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, int(name.size()), nullptr, 0,
                              nullptr, &lost);
        if (!lost && ::GetACP() != CP_UTF8)
            return name;
    }
    return {};
}

} // namespace

class TestWindowsFiles : public QObject {
    Q_OBJECT

private slots:
    // What the user reads for each system error, the same words as on Linux.
    void errorKinds_data()
    {
        QTest::addColumn<quint32>("code");
        QTest::addColumn<FileError::Kind>("kind");
        QTest::addColumn<QString>("message");
        using Kind = FileError::Kind;
        QTest::newRow("file not found")
            << quint32(ERROR_FILE_NOT_FOUND) << Kind::NotFound << u"File not found"_s;
        QTest::newRow("path not found")
            << quint32(ERROR_PATH_NOT_FOUND) << Kind::NotFound << u"File not found"_s;
        QTest::newRow("invalid name")
            << quint32(ERROR_INVALID_NAME) << Kind::BadPath << u"Invalid filename"_s;
        QTest::newRow("name too long")
            << quint32(ERROR_FILENAME_EXCED_RANGE) << Kind::BadPath << u"Invalid filename"_s;
        QTest::newRow("too many files")
            << quint32(ERROR_TOO_MANY_OPEN_FILES) << Kind::TooManyFiles << u"Too many open files"_s;
        QTest::newRow("access denied")
            << quint32(ERROR_ACCESS_DENIED) << Kind::AccessDenied << u"File access denied"_s;
        QTest::newRow("held by another program")
            << quint32(ERROR_SHARING_VIOLATION) << Kind::AccessDenied << u"File access denied"_s;
        QTest::newRow("write-protected disk")
            << quint32(ERROR_WRITE_PROTECT) << Kind::AccessDenied << u"File access denied"_s;
        QTest::newRow("disk full") << quint32(ERROR_DISK_FULL) << Kind::DiskFull << u"Disk full"_s;
        QTest::newRow("handle disk full")
            << quint32(ERROR_HANDLE_DISK_FULL) << Kind::DiskFull << u"Disk full"_s;
        QTest::newRow("data error") << quint32(ERROR_CRC) << Kind::Other << u"I/O error 5"_s;
    }
    void errorKinds()
    {
        QFETCH(quint32, code);
        QFETCH(FileError::Kind, kind);
        QFETCH(QString, message);
        const FileError error = files::fileErrorForCode(code);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.message, message);
        QVERIFY(!error.systemReason().isEmpty());
    }

    void writeReplacesWholeFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("new file") << QByteArray();
        QTest::newRow("over a longer file") << QByteArray(4096, 'x');
        QTest::newRow("over a shorter file") << QByteArray(10, 'y');
    }
    void writeReplacesWholeFile()
    {
        QFETCH(QByteArray, before);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"run.zvk"_s);
        if (!before.isEmpty())
            QVERIFY(putFile(path, before));
        const RunFileImage image = imageFilledWith('\x5A');
        QCOMPARE(writeRunFile(path, image), std::nullopt);
        QCOMPARE(fileBytes(path), recordBytes(image));
        QCOMPARE(folderEntries(dir.path()), QStringList{u"run.zvk"_s});
        RunFileImage read{};
        QCOMPARE(readRunFile(path, read), std::nullopt);
        QCOMPARE(read, image);
    }

    // A refused save writes nothing: the old file, the folder and the neighbours stay as they were.
    void failedWriteLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only attribute") << u"read-only attribute"_s << u"File access denied"_s;
        QTest::newRow("directory") << u"directory"_s << u"File access denied"_s;
        QTest::newRow("missing folder") << u"missing folder"_s << u"File not found"_s;
        QTest::newRow("reserved character") << u"reserved character"_s << u"Invalid filename"_s;
    }
    void failedWriteLeavesEverythingAsItWas()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = awkwardPath(kind, dir);
        const QStringList before = folderEntries(dir.path());
        QCOMPARE(messageOf(writeRunFile(path, imageFilledWith('\x11'))), message);
        QCOMPARE(folderEntries(dir.path()), before);
        QCOMPARE(fileBytes(dir.filePath(u"plain.zvk"_s)), QByteArray("keep me"));
        setReadOnly(dir.filePath(u"plain.zvk"_s), false);
    }

    void failedReadChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"missing"_s << u"File not found"_s;
        QTest::newRow("missing folder") << u"missing folder"_s << u"File not found"_s;
        QTest::newRow("directory") << u"directory"_s << u"File access denied"_s;
        QTest::newRow("reserved character") << u"reserved character"_s << u"Invalid filename"_s;
    }
    void failedReadChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const RunFileImage sentinel = imageFilledWith('\xAA');
        RunFileImage image = sentinel;
        QCOMPARE(messageOf(readRunFile(awkwardPath(kind, dir), image)), message);
        QCOMPARE(image, sentinel);
    }

    // A read-only file still reads.
    void readOnlyFileReads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"locked.zvk"_s);
        QVERIFY(putFile(path, QByteArray(kFileSize, '\x42')));
        QVERIFY(setReadOnly(path, true));
        RunFileImage image{};
        QCOMPARE(readRunFile(path, image), std::nullopt);
        QCOMPARE(recordBytes(image), QByteArray(kFileSize, '\x42'));
        setReadOnly(path, false);
    }

    // The settings live per user among the roaming application data, never in the Windows folder.
    void settingsLiveWithTheUser()
    {
        const QString path = defaultSettingsFilePath();
        QVERIFY2(QDir::isAbsolutePath(path), qPrintable(path));
        QVERIFY2(path.endsWith(u"/Zorvikta/Zorvikta.ini"), qPrintable(path));
        QVERIFY2(!path.startsWith(QDir::fromNativeSeparators(qEnvironmentVariable("WINDIR")),
                                  Qt::CaseInsensitive),
                 qPrintable(path));
    }

    // Zorvikta.ini in the Windows folder is read until the user's own file exists; saving writes
    // the user's file only, as UTF-8, in a folder it makes if need be, keeping the lines it read.
    // An older program wrote that file in the system's ANSI code page.
    void settingsFromTheWindowsFolder_data()
    {
        QTest::addColumn<bool>("userFileExists");
        QTest::addColumn<bool>("ansiCodePage");
        QTest::newRow("no file of the user's") << false << false;
        QTest::newRow("the user's own file") << true << false;
        QTest::newRow("no file of the user's, in the ANSI code page") << false << true;
    }
    void settingsFromTheWindowsFolder()
    {
        QFETCH(bool, userFileExists);
        QFETCH(bool, ansiCodePage);
        const QString oldFile = ansiCodePage ? ansiName() : u"C:\\Old\\Run.zvk"_s;
        if (oldFile.isEmpty())
            QSKIP("this system's ANSI code page holds no letters beyond ASCII");
        QTemporaryDir windowsFolder;
        const QByteArray earlier = "[LastFile]\nPath=" + inAnsiCodePage(oldFile) +
                                   "\n[Other]\nKept=" + inAnsiCodePage(oldFile) + "\n";
        QVERIFY(putFile(windowsFolder.filePath(u"Zorvikta.ini"_s), earlier));
        qputenv("WINDIR", QDir::toNativeSeparators(windowsFolder.path()).toLocal8Bit());

        // Without a file of the user's, the user's folder is not there either: the save makes it.
        const QString userPath = defaultSettingsFilePath();
        const QString userFolder = QFileInfo(userPath).absolutePath();
        QVERIFY(QDir(userFolder).removeRecursively());
        if (userFileExists) {
            QVERIFY(QDir().mkpath(userFolder));
            QVERIFY(putFile(userPath, "[LastFile]\nPath=D:\\Mine.zvk\n"));
        }

        const SettingsFile settings(userPath, PortDevices{u"COM1"_s, u"COM2"_s});
        Settings read = settings.read();
        QCOMPARE(read.lastFile, userFileExists ? u"D:\\Mine.zvk"_s : oldFile);

        read.lastFile = u".\\User001.zvk"_s;
        QCOMPARE(settings.write(read, SettingsKeys::Choices), std::nullopt);
        QCOMPARE(fileBytes(windowsFolder.filePath(u"Zorvikta.ini"_s)), earlier);
        const QByteArray written = fileBytes(userPath);
        QVERIFY(written.contains("Path=.\\User001.zvk"));
        QCOMPARE(written.contains("Kept=" + oldFile.toUtf8()), !userFileExists);
        QFile::remove(userPath);
    }

    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
};

QTEST_MAIN(TestWindowsFiles)
#include "tst_WindowsFiles.moc"
