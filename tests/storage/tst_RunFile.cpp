// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/RunFile.h"
#include "support/AnotherUser.h"
#include "support/AsOrdinaryUser.h"
#include "support/AwkwardPaths.h"
#include "support/DiskFilling.h"
#include "support/FileFailures.h"
#include "support/FileModes.h"
#include "support/TestFiles.h"
#include "support/ThisSystem.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <thread>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

RunFileImage imageOf(const QByteArray& bytes)
{
    RunFileImage image{};
    std::copy_n(bytes.cbegin(), kFileSize, image.begin());
    return image;
}

const RunFileImage kSentinel = imageOf(QByteArray(kFileSize, '\xAA'));

// A folder's permission bits for as long as the object lives; 0755 again after, so that the
// folder can be removed.
class FolderMode {
public:
    FolderMode(const QString& folder, int mode) : m_folder(folder) { setFileMode(m_folder, mode); }
    ~FolderMode() { setFileMode(m_folder, 0755); }
    FolderMode(const FolderMode&) = delete;
    FolderMode& operator=(const FolderMode&) = delete;

private:
    QString m_folder;
};

// What stands under a name: nothing, a folder, a regular file, a link, or something else such as
// a FIFO or a device.
QString entryKind(const QString& path)
{
    const QFileInfo entry(path);
    if (entry.isSymLink())
        return u"link"_s;
    if (!entry.exists())
        return u"nothing"_s;
    if (entry.isDir())
        return u"folder"_s;
    return entry.isFile() ? u"file"_s : u"other"_s;
}

} // namespace

class TestRunFile : public QObject {
    Q_OBJECT

private slots:
    void roundTripIsByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("previousSize");
        QTest::addColumn<bool>("folderRefusesTemporaryFiles");
        QTest::newRow("zeros, new file") << QByteArray(kFileSize, '\0') << qsizetype(-1) << false;
        QTest::newRow("over a 1 MiB file")
            << patternBytes(kFileSize, 3) << qsizetype(1 << 20) << false;
        QTest::newRow("over a short file") << patternBytes(kFileSize, 7) << qsizetype(10) << false;
        QTest::newRow("over a 1 MiB file, written in place")
            << patternBytes(kFileSize, 3) << qsizetype(1 << 20) << true;
        QTest::newRow("over a short file, written in place")
            << patternBytes(kFileSize, 7) << qsizetype(10) << true;
    }
    void roundTripIsByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, previousSize);
        QFETCH(bool, folderRefusesTemporaryFiles);
        // Root may create a file in any folder.
        if (folderRefusesTemporaryFiles && !runAsOrdinaryUser()) {
            return;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pattern.zvk"_s);
        if (previousSize >= 0) {
            QVERIFY(putFile(path, patternBytes(previousSize, 99)));
        }
        const FolderMode folderMode(dir.path(), folderRefusesTemporaryFiles ? 0555 : 0755);
        QCOMPARE(writeRunFile(path, imageOf(bytes)), std::nullopt);
        QCOMPARE(fileBytes(path), bytes);

        RunFileImage loaded = kSentinel;
        QCOMPARE(readRunFile(path, loaded), std::nullopt);
        QCOMPARE(recordBytes(loaded), bytes);
        QCOMPARE(folderEntries(dir.path()), QStringList{u"pattern.zvk"_s});
    }

    void readTakesTheFirst128Bytes_data()
    {
        QTest::addColumn<qsizetype>("length");
        for (const qsizetype length : {0, 1, 127, 128, 129, 1 << 20}) {
            QTest::addRow("%lld bytes", static_cast<long long>(length)) << length;
        }
    }
    void readTakesTheFirst128Bytes()
    {
        QFETCH(qsizetype, length);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sized.zvk"_s);
        QVERIFY(putFile(path, patternBytes(length, 5)));

        RunFileImage image = kSentinel;
        const auto failure = readRunFile(path, image);
        if (length < kFileSize) {
            QCOMPARE(messageOf(failure), u"Read beyond end of file"_s);
            QCOMPARE(image, kSentinel);
        } else {
            QCOMPARE(failure, std::nullopt);
            QCOMPARE(recordBytes(image), patternBytes(kFileSize, 5));
        }
    }

    void failedReadChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"missing"_s << u"File not found"_s;
        QTest::newRow("directory") << u"directory"_s << u"File access denied"_s;
        QTest::newRow("parent is a file")
            << u"parent is a file"_s << fileErrorForErrno(fileAsFolderError()).message;
        QTest::newRow("missing folder") << u"missing folder"_s << u"File not found"_s;
        QTest::newRow("name too long") << u"name too long"_s << u"Invalid filename"_s;
        QTest::newRow("refused character") << u"refused character"_s << u"Invalid filename"_s;
        // Nobody writes into the FIFO: the read must give up at once instead of waiting.
        QTest::newRow("fifo") << u"fifo"_s << u"Read beyond end of file"_s;
    }
    void failedReadChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString skip;
        const QString path = awkwardPath(kind, dir.path(), skip);
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));
        RunFileImage image = kSentinel;
        const auto failure = readRunFile(path, image);
        QCOMPARE(messageOf(failure), message);
        QCOMPARE(image, kSentinel);
    }

    // Not even root may open a running executable for writing, so it shows whether the read
    // asks for more than reading.
    void unwritableFileReads_data()
    {
        QTest::addColumn<bool>("runningExecutable");
        QTest::newRow("file marked read-only") << false;
        QTest::newRow("running executable") << true;
    }
    void unwritableFileReads()
    {
        QFETCH(bool, runningExecutable);
        QTemporaryDir dir;
        QString path = dir.filePath(u"readonly.zvk"_s);
        if (runningExecutable) {
            path = QCoreApplication::applicationFilePath();
        } else {
            QVERIFY(putFile(path, patternBytes(kFileSize, 4)));
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        }
        RunFileImage image{};
        QCOMPARE(readRunFile(path, image), std::nullopt);
        QCOMPARE(recordBytes(image), fileBytes(path).left(kFileSize));
    }

    void failedWriteLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("parent is a file")
            << u"parent is a file"_s << fileErrorForErrno(fileAsFolderError()).message;
        QTest::newRow("missing folder") << u"missing folder"_s << u"File not found"_s;
        QTest::newRow("directory") << u"directory"_s << u"File access denied"_s;
        QTest::newRow("name too long") << u"name too long"_s << u"Invalid filename"_s;
        QTest::newRow("refused character") << u"refused character"_s << u"Invalid filename"_s;
        QTest::newRow("full device") << u"full device"_s << u"Disk full"_s;
        QTest::newRow("fifo without reader") << u"fifo"_s << fileErrorForErrno(ENXIO).message;
    }
    void failedWriteLeavesEverythingAsItWas()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString skip;
        const QString path = awkwardPath(kind, dir.path(), skip);
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));
        const QStringList before = folderEntries(dir.path());
        const QByteArray plain = fileBytes(dir.filePath(u"plain"_s));
        const QString kindBefore = entryKind(path);

        const auto failure = writeRunFile(path, kSentinel);
        QCOMPARE(messageOf(failure), message);
        QCOMPARE(folderEntries(dir.path()), before);
        QCOMPARE(fileBytes(dir.filePath(u"plain"_s)), plain);
        QCOMPARE(entryKind(path), kindBefore);
    }

    // The write breaks off after the new content has begun to reach the disk. Through a temporary
    // file the old file stays whole; written in place, the new bytes so far lie over the old ones,
    // and the rest of the old file is still there.
    void interruptedWriteKeepsThePreviousFile_data()
    {
        QTest::addColumn<bool>("folderRefusesTemporaryFiles");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("replaced through a temporary file") << false << patternBytes(kFileSize, 2);
        QTest::newRow("written in place") << true
                                          << recordBytes(kSentinel).left(kFileSize / 2) +
                                                 patternBytes(kFileSize, 2).mid(kFileSize / 2);
    }
    void interruptedWriteKeepsThePreviousFile()
    {
        QFETCH(bool, folderRefusesTemporaryFiles);
        QFETCH(QByteArray, expected);
        if (const QString why = whyNoFillingDisk(); !why.isEmpty())
            QSKIP(qPrintable(why));
        if (folderRefusesTemporaryFiles && !runAsOrdinaryUser()) {
            return;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(u"keep.zvk"_s);
        QVERIFY(putFile(path, patternBytes(kFileSize, 2)));
        const FolderMode folderMode(dir.path(), folderRefusesTemporaryFiles ? 0555 : 0755);
        std::optional<FileError> failure;
        {
            const FillingDisk disk(kFileSize / 2);
            failure = writeRunFile(path, kSentinel);
        }
        QCOMPARE(messageOf(failure), fileErrorForErrno(fullDiskError()).message);
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(folderEntries(dir.path()), QStringList{u"keep.zvk"_s});
    }

    // A save killed while writing leaves its temporary file; the next save into that folder
    // removes it once it is old enough to belong to no save under way, and nothing else.
    void writeRemovesStaleTemporaryFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("anotherUsers");
        QTest::addColumn<bool>("removed");
        const QString ours = u".zorvikta-3fa9c0d1e2.tmp"_s;
        QTest::newRow("ours, two minutes old") << ours << 120 << false << true;
        QTest::newRow("ours, just written") << ours << 0 << false << false;
        QTest::newRow("ours, another user's save") << ours << 120 << true << false;
        QTest::newRow("not hexadecimal") << u".zorvikta-notours.tmp"_s << 120 << false << false;
        QTest::newRow("no number") << u".zorvikta-.tmp"_s << 120 << false << false;
        QTest::newRow("another suffix")
            << u".zorvikta-3fa9c0d1e2.tmp.bak"_s << 120 << false << false;
        QTest::newRow("another program's") << u".other-3fa9c0d1e2.tmp"_s << 120 << false << false;
    }
    void writeRemovesStaleTemporaryFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, ageSeconds);
        QFETCH(bool, anotherUsers);
        QFETCH(bool, removed);
        if (const QString why = whyNoOtherUser(); anotherUsers && !why.isEmpty())
            QSKIP(qPrintable(why));
        QTemporaryDir dir;
        const QString leftover = dir.filePath(name);
        QVERIFY(putFile(leftover, "half a save"));
        QFile file(leftover);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(!anotherUsers || giveToAnotherUser(leftover));

        QCOMPARE(writeRunFile(dir.filePath(u"mine.zvk"_s), kSentinel), std::nullopt);

        QCOMPARE(QFileInfo::exists(leftover), !removed);
        QCOMPARE(fileBytes(dir.filePath(u"mine.zvk"_s)), recordBytes(kSentinel));
    }

    // Another user swaps a FIFO and the user's file in and out of place while the user saves
    // in place, since the other user's folder refuses new files: no save waits for a reader, and
    // the file ends up with the old pattern or the new one. Run as root, this plays the other
    // user and runs the saving side as nobody.
    void swappedFifoDuringInPlaceWrites()
    {
        constexpr char kSharedFolder[] = "ZORVIKTA_TEST_SWAP_FOLDER";
        if (const QByteArray shared = qgetenv(kSharedFolder); !shared.isEmpty()) {
            const QString path = QFile::decodeName(shared) + u"/tmp.zvk"_s;
            for (int save = 0; save < 20000; ++save)
                writeRunFile(path, kSentinel, files::SaveName::BuiltIn);
            return;
        }
        if (const QString why = whyNoOtherUser(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QTemporaryDir dir;
        QVERIFY(setFileMode(dir.path(), 0755));
        const QByteArray path = QFile::encodeName(dir.filePath(u"tmp.zvk"_s));
        const QByteArray pipe = QFile::encodeName(dir.filePath(u"pipe"_s));
        const QByteArray aside = QFile::encodeName(dir.filePath(u"aside"_s));
        QVERIFY(putFile(QFile::decodeName(path), patternBytes(kFileSize, 2)));
        QVERIFY(makeFifo(QFile::decodeName(pipe)) && setFileMode(QFile::decodeName(pipe), 0666));
        QVERIFY(giveToAnotherUser(QFile::decodeName(path)) &&
                giveToAnotherUser(QFile::decodeName(pipe)));
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            while (!stop) {
                std::rename(path.constData(), aside.constData());
                std::rename(pipe.constData(), path.constData());
                std::rename(path.constData(), pipe.constData());
                std::rename(aside.constData(), path.constData());
            }
        });
        qputenv(kSharedFolder, dir.path().toUtf8());
        runAsOrdinaryUser();
        qunsetenv(kSharedFolder);
        stop = true;
        swapper.join();
        const QByteArray content = fileBytes(QFile::decodeName(path));
        QVERIFY(content == patternBytes(kFileSize, 2) || content == recordBytes(kSentinel));
        QVERIFY(isFifo(QFile::decodeName(pipe)));
    }

    void writeThroughSymlinkKeepsTheLink_data()
    {
        QTest::addColumn<QString>("linkTarget");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("chained");
        QTest::newRow("relative, into a subfolder") << u"sub/real.zvk"_s << true << false;
        QTest::newRow("absolute") << u"@/real.zvk"_s << true << false;
        QTest::newRow("link to a link") << u"real.zvk"_s << true << true;
        QTest::newRow("dangling") << u"real.zvk"_s << false << false;
    }
    void writeThroughSymlinkKeepsTheLink()
    {
        QFETCH(QString, linkTarget);
        QFETCH(bool, targetExists);
        QFETCH(bool, chained);
        if (!makesSymbolicLinks())
            QSKIP("no symbolic link here that saves go through");
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(u"sub"_s);
        linkTarget.replace(u'@', dir.path());
        const QString real = QDir(dir.path()).absoluteFilePath(linkTarget);
        if (targetExists) {
            QVERIFY(putFile(real, patternBytes(kFileSize, 8)));
        }
        const QString link = dir.filePath(u"link.zvk"_s);
        const QString outer = dir.filePath(u"outer.zvk"_s);
        QVERIFY(QFile::link(linkTarget, link));
        QVERIFY(!chained || QFile::link(u"link.zvk"_s, outer));

        QCOMPARE(writeRunFile(chained ? outer : link, kSentinel), std::nullopt);
        QCOMPARE(QFileInfo(link).symLinkTarget(), real);
        QVERIFY(!chained || QFileInfo(outer).isSymLink());
        QCOMPARE(fileBytes(real), recordBytes(kSentinel));
    }

    // In a shared sticky folder another user plants a link under the name this user saves to; the
    // save refuses to follow it and changes nothing, wherever the link leads.
    void linkOfAnotherUserIsRefused_data()
    {
        QTest::addColumn<QString>("leadsTo");
        QTest::addColumn<QString>("saveTo");
        QTest::newRow("to this user's private file") << u"private"_s << u"planted.zvk"_s;
        QTest::newRow("to nothing yet") << u"nothing"_s << u"planted.zvk"_s;
        QTest::newRow("to a terminal") << u"terminal"_s << u"planted.zvk"_s;
        QTest::newRow("to this user's own link") << u"own link"_s << u"planted.zvk"_s;
        QTest::newRow("behind this user's own link") << u"private"_s << u"own.zvk"_s;
    }
    void linkOfAnotherUserIsRefused()
    {
        QFETCH(QString, leadsTo);
        QFETCH(QString, saveTo);
        if (const QString why = whyNoOtherUser(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QTemporaryDir dir;
        QVERIFY(setFileMode(dir.path(), 01777));
        const QString privateFile = dir.filePath(u"private"_s);
        QVERIFY(putFile(privateFile, patternBytes(kFileSize, 6)));
        QVERIFY(
            QFile::setPermissions(privateFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        const auto terminal = lineEndpoint();
        QVERIFY(terminal != nullptr);
        QString destination = dir.filePath(leadsTo);
        if (leadsTo == u"terminal") {
            destination = terminal->deviceName();
        } else if (leadsTo == u"own link") {
            destination = dir.filePath(u"own.zvk"_s);
        }
        const QString planted = dir.filePath(u"planted.zvk"_s);
        QVERIFY(QFile::link(destination, planted));
        QVERIFY(giveToAnotherUser(planted));
        QVERIFY(
            QFile::link(saveTo == u"own.zvk" ? planted : privateFile, dir.filePath(u"own.zvk"_s)));
        const QStringList before = folderEntries(dir.path());

        QCOMPARE(messageOf(writeRunFile(dir.filePath(saveTo), kSentinel)), u"File access denied"_s);
        QCOMPARE(fileBytes(privateFile), patternBytes(kFileSize, 6));
        QCOMPARE(folderEntries(dir.path()), before);
        QCOMPARE(QFileInfo(planted).symLinkTarget(), QFileInfo(destination).absoluteFilePath());
        QCOMPARE(terminal->received(0, 100), QByteArray());
    }

    void writeKeepsPermissions_data()
    {
        QTest::addColumn<int>("previousMode");
        QTest::addColumn<int>("expectedMode");
        QTest::newRow("new file under umask 022") << -1 << 0644;
        QTest::newRow("existing 0640") << 0640 << 0640;
        QTest::newRow("existing 0444") << 0444 << 0444;
    }
    void writeKeepsPermissions()
    {
        QFETCH(int, previousMode);
        QFETCH(int, expectedMode);
        QTemporaryDir dir;
        if (!fileMode(dir.path()))
            QSKIP("no file modes here: the read-only attribute's rows are the hostile files'");
        const QString path = dir.filePath(u"mode.zvk"_s);
        if (previousMode >= 0) {
            QVERIFY(putFile(path, QByteArray(kFileSize, '\0')));
            QVERIFY(setFileMode(path, previousMode));
        }
        const int oldMask = setCreationMask(022);
        const auto failure = writeRunFile(path, kSentinel);
        setCreationMask(oldMask);
        QCOMPARE(failure, std::nullopt);
        QCOMPARE(fileMode(path), expectedMode);
    }

    void existence_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("exists");
        QTest::newRow("regular file") << u"regular file"_s << true;
        QTest::newRow("missing") << u"missing"_s << false;
        QTest::newRow("directory") << u"directory"_s << false;
        QTest::newRow("fifo") << u"fifo"_s << true;
        QTest::newRow("link to a regular file") << u"regular file link"_s << true;
        QTest::newRow("dangling link") << u"missing link"_s << false;
    }
    void existence()
    {
        QFETCH(QString, kind);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        QString skip;
        QString path = awkwardPath(kind, dir.path(), skip);
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));
        if (kind.endsWith(u"link") && !makesSymbolicLinks())
            QSKIP("QFile::link makes no symbolic link here");
        if (kind.startsWith(u"regular file")) {
            QVERIFY(putFile(path, QByteArray(kFileSize, '\0')));
        }
        if (kind.endsWith(u"link")) {
            QVERIFY(QFile::link(path, dir.filePath(u"link.zvk"_s)));
            path = dir.filePath(u"link.zvk"_s);
        }
        QCOMPARE(runFileExists(path), exists);
    }
};

QTEST_MAIN(TestRunFile)
#include "tst_RunFile.moc"
