// SPDX-License-Identifier: GPL-3.0-or-later
// What another user on the same machine may plant where a save or a load goes, on every system:
// each is refused with nothing changed, or handled soundly.
#include "storage/FileAccess.h"
#include "storage/IniText.h"
#include "storage/RunFile.h"
#include "storage/SettingsFile.h"
#include "support/AsOrdinaryUser.h"
#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kPattern = patternBytes(kFileSize, 42);

RunFileImage imageOf(const QByteArray& bytes)
{
    RunFileImage image{};
    std::copy_n(bytes.cbegin(), kFileSize, image.begin());
    return image;
}

QString messageOf(const std::optional<FileError>& failure)
{
    return failure ? failure->message : QString();
}

QString namedInFolder(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

// The rows every system shares, then the system's own.
QList<HostileRow> hostileRows()
{
    using Action = HostileRow::Action;
    const QString invalid = u"Invalid filename"_s;
    const auto withNul = [](const QString& folder, QString&) {
        return namedInFolder(folder, u"x"_s + QChar(u'\0') + u"y.zvk"_s);
    };
    const auto tooLong = [](const QString& folder, QString&) {
        return namedInFolder(folder, QString(40000, u'n'));
    };
    QList<HostileRow> rows{
        {"a NUL in the name", Action::Save, files::SaveName::Chosen, invalid, false, withNul},
        {"a NUL in the name, loaded", Action::Load, files::SaveName::Chosen, invalid, false,
         withNul},
        {"a name over the system's limit", Action::Save, files::SaveName::Chosen, invalid, false,
         tooLong},
        {"a name over the system's limit, loaded", Action::Load, files::SaveName::Chosen, invalid,
         false, tooLong},
        // Replaced through a temporary file, the name gets a new file of its own: the other name
        // keeps the old content.
        {"hard link to another file", Action::Save, files::SaveName::BuiltIn, QString(), false,
         [](const QString& folder, QString& skip) {
             const QString other = namedInFolder(folder, u"other.zvk"_s);
             putFile(other, patternBytes(kFileSize, 5));
             const QString path = namedInFolder(folder, u"tmp.zvk"_s);
             if (!makeHardLink(other, path))
                 skip = u"this system makes no hard links here"_s;
             return path;
         }},
    };
    return rows + thisSystemsHostileRows();
}

// The snapshot without the lines of the saved file itself, which a save may change.
QStringList othersIn(const QStringList& snapshot, const QString& name)
{
    QStringList others;
    for (const QString& line : snapshot) {
        if (!line.startsWith(name + u' '))
            others << line;
    }
    return others;
}

// What a file holds after the first `count` steps of an in-place write, as a cut leaves it.
QByteArray afterSteps(QByteArray file, const QList<files::InPlaceStep>& steps, qsizetype count)
{
    for (qsizetype step = 0; step < count; ++step) {
        const files::InPlaceStep& done = steps.at(step);
        if (done.kind == files::InPlaceStep::Kind::Write) {
            if (file.size() < done.bytes.size())
                file.resize(done.bytes.size());
            file.replace(0, done.bytes.size(), done.bytes);
        } else if (done.kind == files::InPlaceStep::Kind::Trim) {
            file.resize(done.size);
        }
    }
    return file;
}

QByteArray settingsText(const QByteArray& path, const QByteArray& port)
{
    return "[ComPort]\r\nAktive=" + port +
           "\r\n[Speed]\r\nJast=Send\r\n[LastFile]\r\nPath=" + path + "\r\n";
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void plantedFiles_data()
    {
        QTest::addColumn<int>("row");
        const QList<HostileRow> rows = hostileRows();
        for (int row = 0; row < rows.size(); ++row)
            QTest::newRow(rows.at(row).tag) << row;
    }
    void plantedFiles()
    {
        QFETCH(int, row);
        const HostileRow hostile = hostileRows().at(row);
        if (hostile.asOrdinaryUser && !runAsOrdinaryUser())
            return;
        QTemporaryDir dir;
        QString skip;
        const QString path = hostile.plant(dir.path(), skip);
        if (!skip.isEmpty()) {
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
            QSKIP(qPrintable(skip));
        }
        const QStringList before = folderSnapshot(dir.path());
        const QString leaf = path.section(u'/', -1);

        std::optional<FileError> failure;
        RunFileImage loaded = imageOf(QByteArray(kFileSize, '\x55'));
        if (hostile.action == HostileRow::Action::Save)
            failure = writeRunFile(path, imageOf(kPattern), hostile.name);
        else
            failure = readRunFile(path, loaded);

        QCOMPARE(messageOf(failure), hostile.message);
        if (failure) {
            QVERIFY(!failure->systemReason().isEmpty());
            QCOMPARE(folderSnapshot(dir.path()), before);
        } else if (hostile.action == HostileRow::Action::Save) {
            QCOMPARE(othersIn(folderSnapshot(dir.path()), leaf), othersIn(before, leaf));
            QVERIFY(!hasSpecialModeBits(path));
        } else {
            QCOMPARE(recordBytes(loaded), fileBytes(path).left(kFileSize));
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
    }

    // Windows's own rules for names, which every system can check: device names with any
    // extension and streams are refused, drive letters and the long-path prefix are not.
    void windowsNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("CON") << u"CON"_s << true;
        QTest::newRow("nul with two extensions") << u"C:\\x\\nul.txt.zvk"_s << true;
        QTest::newRow("COM1 after a slash") << u"x/com1.zvk"_s << true;
        QTest::newRow("LPT9, blanks before the dot") << u"LPT9  .zvk"_s << true;
        QTest::newRow("a stream") << u"C:\\x.zvk:evil"_s << true;
        QTest::newRow("a stream on a relative name") << u"x.zvk:evil"_s << true;
        QTest::newRow("lpt with a superscript three") << u"lpt\u00B3.zvk"_s << true;
        QTest::newRow("CONOUT$") << u"conout$"_s << true;
        QTest::newRow("COM0") << u"COM0.zvk"_s << false;
        QTest::newRow("COM10") << u"COM10.zvk"_s << false;
        QTest::newRow("a device name inside a longer one") << u"console.zvk"_s << false;
        QTest::newRow("a drive letter") << u"C:\\Проекты\\огни.zvk"_s << false;
        QTest::newRow("the long-path prefix") << u"\\\\?\\C:\\x.zvk"_s << false;
    }
    void windowsNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        const files::NameRules windows{
            .longest = 32767, .measuredInBytes = false, .windowsNames = true};
        const std::optional<FileError> refusal = files::refusalOfName(name, windows);
        QCOMPARE(refusal.has_value(), refused);
        QVERIFY(!refusal || refusal->message == u"Invalid filename"_s);
        // Elsewhere every one of them is an ordinary name.
        QVERIFY(!files::refusalOfName(name, {.longest = 4095}));
    }

    // Written in place, a settings file or a run file is cut after any step of the write: what
    // is left reads as the old content or as the new, never as a mix of the two.
    void inPlaceWriteCutAtEachStep_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("settings");
        const QByteArray longPath = "/home/user/a rather long folder name/Бегушка.zvk";
        QTest::newRow("settings, new text shorter")
            << settingsText(longPath, "COM 2") << settingsText("./tmp.zvk", "COM 1") << true;
        QTest::newRow("settings, new text longer")
            << settingsText("./tmp.zvk", "COM 2") << settingsText(longPath, "COM 1") << true;
        QTest::newRow("run file over a longer file")
            << patternBytes(4096, 1) << patternBytes(kFileSize, 2) << false;
    }
    void inPlaceWriteCutAtEachStep()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(bool, settings);
        const std::optional<char> filler = settings ? std::optional<char>('\n') : std::nullopt;
        const QList<files::InPlaceStep> steps = files::inPlaceSteps(before.size(), after, filler);
        // As a reader sees a file: the keys of the settings, the first 128 bytes of a run file.
        const auto read = [settings](const QByteArray& file) {
            if (!settings)
                return file.left(kFileSize);
            const IniText ini(file);
            return ini.value("ComPort", "Aktive").value_or("-") + '|' +
                   ini.value("Speed", "Jast").value_or("-") + '|' +
                   ini.value("LastFile", "Path").value_or("-");
        };
        for (qsizetype cut = 0; cut <= steps.size(); ++cut) {
            const QByteArray left = afterSteps(before, steps, cut);
            QVERIFY2(read(left) == read(before) || read(left) == read(after),
                     qPrintable(u"cut after step %1"_s.arg(cut)));
        }
        QCOMPARE(afterSteps(before, steps, steps.size()), after);
    }

    // A lock file that is not the user's regular file is cleared away instead of waited on, and
    // a lock that another instance keeps holding holds up a write only for a moment.
    void settingsLockInTheWay_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::newRow("a folder under the lock's name") << u"folder"_s;
        QTest::newRow("held by a live instance") << u"held"_s;
    }
    void settingsLockInTheWay()
    {
        QFETCH(QString, lock);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        const QString lockPath = path + u".lock"_s;
        QLockFile otherInstance(lockPath);
        if (lock == u"folder")
            QVERIFY(QDir(dir.path()).mkdir(u"Zorvikta.ini.lock"_s));
        else
            QVERIFY(otherInstance.lock());
        const SettingsFile file(path, {});
        const Settings chosen{PortChoice::Com1, true, u"./User001.zvk"_s, {}};

        QCOMPARE(file.write(chosen, SettingsKeys::Choices), std::nullopt);
        QCOMPARE(file.read(), chosen);
        QCOMPARE(QFileInfo(lockPath).isDir(), false);
    }

    // A last file that no file can be named is refused when the settings are read, before any
    // file is looked for under it.
    void lastFileNoFileCanHave_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("a NUL") << "/dir/x\0y.zvk"_ba;
        QTest::newRow("a million characters") << QByteArray(1000000, 'p');
    }
    void lastFileNoFileCanHave()
    {
        QFETCH(QByteArray, path);
        QTemporaryDir dir;
        const QString settings = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(settings, "[LastFile]\nPath=" + path + '\n'));
        const Settings read = SettingsFile(settings, {}).read();
        QVERIFY(read.lastFileRefusal);
        QCOMPARE(read.lastFileRefusal->message, u"Invalid filename"_s);
    }
};

QTEST_MAIN(TestHostileFiles)
#include "tst_HostileFiles.moc"
