// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRun.h"
#include "support/RunFiles.h"
#include "support/ThisSystem.h"

#include "device/Messages.h"
#include "model/RunRecord.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kArrivalTimeoutMs = 5000;

QString zvk()
{
    return QStringLiteral(ZVK_PATH);
}

QByteArray withByte(QByteArray bytes, int index, char value)
{
    bytes[index] = value;
    return bytes;
}

QStringList replaced(QStringList arguments, const QString& file, const QString& device)
{
    arguments.replaceInStrings(u"{file}"_s, file);
    return arguments.replaceInStrings(u"{line}"_s, device);
}

} // namespace

class TestZvk : public QObject {
    Q_OBJECT

private slots:
    void uploadSendsTheWireBytes_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("speed");
        QTest::addColumn<bool>("withSpeed");

        QTest::newRow("length 4, with speed") << 3 << 4 << 230 << true;
        QTest::newRow("length 8, pattern only") << 11 << 8 << 17 << false;
        QTest::newRow("length 57, speed 13") << 7 << 57 << 13 << true;
        QTest::newRow("length 100, every bit set") << 0 << 100 << 250 << true;
    }

    void uploadSendsTheWireBytes()
    {
        QFETCH(int, seed);
        QFETCH(int, length);
        QFETCH(int, speed);
        QFETCH(bool, withSpeed);

        RunRecord record = untidyRecord(seed);
        record[kChannelCountIndex] = 4;
        record[kLengthIndex] = std::uint8_t(length);
        record[kSpeedIndex] = std::uint8_t(speed);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"pattern.zvk"_s);
        QVERIFY(putFile(path, recordBytes(record)));

        const auto board = lineEndpoint();
        QVERIFY(board);
        QStringList arguments{u"upload"_s, path, u"--device"_s, board->deviceName()};
        if (withSpeed)
            arguments << u"--speed"_s;
        const ToolRun run = runTool(zvk(), arguments);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));

        const int size = kUploadMessageSize + (withSpeed ? kSpeedMessageSize : 0);
        const QByteArray sent = board->received(size, kArrivalTimeoutMs);
        QCOMPARE(sent.size(), size);
        const QByteArray expected =
            expectedUpload(record, length) + (withSpeed ? expectedSpeed(speed) : QByteArray());
        QCOMPARE(sent.toHex(' '), expected.toHex(' '));
        // Like the program, zvk normalises a copy: the file stays as it was.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), recordBytes(record));
    }

    void speedSendsOneMessage_data()
    {
        QTest::addColumn<int>("speed");

        for (const int speed : {5, 17, 230, 250})
            QTest::addRow("%d", speed) << speed;
    }

    void speedSendsOneMessage()
    {
        QFETCH(int, speed);

        const auto board = lineEndpoint();
        QVERIFY(board);
        const ToolRun run =
            runTool(zvk(), {u"speed"_s, QString::number(speed), u"-d"_s, board->deviceName()});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(board->received(kSpeedMessageSize, kArrivalTimeoutMs).toHex(' '),
                 expectedSpeed(speed).toHex(' '));
    }

    void failuresExitOne_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");

        const QByteArray good = savedFile(QByteArray::fromHex("80402010"), 4, 4, 230);
        const QStringList upload{u"upload"_s, u"{file}"_s, u"-d"_s, u"{line}"_s};
        QTest::newRow("missing file") << upload << QByteArray() << u"File not found"_s;
        QTest::newRow("truncated file")
            << upload << good.first(100) << u"truncated: 100 of 128 bytes"_s;
        QTest::newRow("length out of range") << upload << withByte(good, kLengthIndex, 101)
                                             << u"length 101 outside 4..100; nothing sent"_s;
        QTest::newRow("speed out of range")
            << upload << withByte(good, kSpeedIndex, 0) << u"speed 0 outside 5..250"_s;
        QTest::newRow("upload, missing device")
            << QStringList{u"upload"_s, u"{file}"_s, u"-d"_s, u"/nonexistent/ttyUSB7"_s} << good
            << u"Не удалось открыть устройство «/nonexistent/ttyUSB7»."_s;
        QTest::newRow("speed, missing device")
            << QStringList{u"speed"_s, u"230"_s, u"-d"_s, u"/nonexistent/ttyUSB7"_s} << good
            << u"Не удалось открыть устройство «/nonexistent/ttyUSB7»."_s;
    }

    void failuresExitOne()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(QString, error);

        QTemporaryDir folder;
        const QString path = folder.filePath(file.isNull() ? u"missing.zvk"_s : u"pattern.zvk"_s);
        QVERIFY(file.isNull() || putFile(path, file));
        const auto board = lineEndpoint();
        QVERIFY(board);

        const ToolRun run = runTool(zvk(), replaced(arguments, path, board->deviceName()));
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(u"zvk: "_s) && run.err.contains(error), qPrintable(run.err));
        QCOMPARE(board->received(0, 0), QByteArray());
    }

    // A name whose bytes are not UTF-8 is refused by its own bytes, never looked for under the
    // name its decoding gives, where it would be "not found" or another file.
    void namesThatAreNotUtf8AreRefused_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments"); // {file}: the file, {good}: a good one
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // {shown}: the file's name as a message shows it
        QTest::addColumn<QString>("err");
        const QString refused =
            u"{shown}: the name is not valid UTF-8; rename the file to use it\n"_s;
        QTest::newRow("zvk show") << zvk() << QStringList{u"show"_s, u"{file}"_s} << 1 << QString()
                                  << u"zvk: "_s + refused;
        QTest::newRow("zvk check, after a good file")
            << zvk() << QStringList{u"check"_s, u"{good}"_s, u"{file}"_s} << 1
            << u"{good}: ok\n"_s + refused << QString();
        QTest::newRow("zvk upload")
            << zvk() << QStringList{u"upload"_s, u"{file}"_s, u"-d"_s, u"{line}"_s} << 1
            << QString() << u"zvk: "_s + refused;
        QTest::newRow("zvk speed, to a device so named")
            << zvk() << QStringList{u"speed"_s, u"100"_s, u"-d"_s, u"{file}"_s} << 1 << QString()
            << u"zvk: "_s + refused;
        QTest::newRow("zorvikta") << QStringLiteral(ZORVIKTA_PATH) << QStringList{u"{file}"_s} << 2
                                  << QString() << u"zorvikta: "_s + refused;
    }
    void namesThatAreNotUtf8AreRefused()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        if (const auto why = whyNoNamesOutsideUtf8())
            QSKIP(*why);
        QTemporaryDir folder;
        const QByteArray saved = savedFile(QByteArray::fromHex("80402010"), 4, 4, 230);
        const QString good = folder.filePath(u"good.zvk"_s);
        QVERIFY(putFile(good, saved));
        const QByteArray badName = QFile::encodeName(folder.path()) + "/\xFF\xFE-bad.zvk";
        const int fd = ::open(badName.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(fd >= 0 && ::write(fd, saved.constData(), kFileSize) == kFileSize);
        ::close(fd);
        // The folder cannot remove what it cannot name.
        const auto removeBad = qScopeGuard([&] { ::unlink(badName.constData()); });
        const auto board = lineEndpoint();
        QVERIFY(board);
        const QString shown = folder.path() + u"/\\xFF\\xFE-bad.zvk"_s;

        // The shell puts the name's own bytes where {file} stands; QProcess would encode it.
        const QString script =
            u"bad=$(printf '%s/\\377\\376-bad.zvk' \"$1\"); shift; "
            u"for a; do shift; [ \"$a\" = {file} ] && a=$bad; set -- \"$@\" \"$a\"; "
            u"done; exec \"$@\""_s;
        arguments.replaceInStrings(u"{good}"_s, good)
            .replaceInStrings(u"{line}"_s, board->deviceName());
        const ToolRun run =
            runTool(u"/bin/sh"_s,
                    QStringList{u"-c"_s, script, u"sh"_s, folder.path(), program} + arguments);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QString(out).replace(u"{shown}"_s, shown).replace(u"{good}"_s, good));
        QCOMPARE(run.err, QString(err).replace(u"{shown}"_s, shown));
        QCOMPARE(board->received(0, 0), QByteArray());
    }

    // The machine's own devices, whatever they are: each on its line with its four fields.
    void portsListsOneDeviceALine()
    {
        const ToolRun run = runTool(zvk(), {u"ports"_s});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(run.out.isEmpty() || run.out.endsWith(u'\n'));
        for (const QString& line : run.out.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(line.count(u'\t') == 3 && line.startsWith(listedPortPrefix()),
                     qPrintable(line));
    }

    void usageErrorsExitTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");

        const auto row = [](const char* name, const QStringList& arguments) {
            QTest::newRow(name) << arguments;
        };
        row("nothing", {});
        row("unknown command", {u"frobnicate"_s, u"{file}"_s});
        row("unknown option", {u"show"_s, u"{file}"_s, u"--bogus"_s});
        row("show without a file", {u"show"_s});
        row("show with two files", {u"show"_s, u"{file}"_s, u"{file}"_s});
        row("show with a device", {u"show"_s, u"{file}"_s, u"-d"_s, u"{line}"_s});
        row("check without a file", {u"check"_s});
        row("upload without a device", {u"upload"_s, u"{file}"_s});
        row("--device without a name", {u"upload"_s, u"{file}"_s, u"--device"_s});
        row("speed 4", {u"speed"_s, u"4"_s, u"-d"_s, u"{line}"_s});
        row("speed 251", {u"speed"_s, u"251"_s, u"-d"_s, u"{line}"_s});
        row("speed 2.5", {u"speed"_s, u"2.5"_s, u"-d"_s, u"{line}"_s});
        row("speed abc", {u"speed"_s, u"abc"_s, u"-d"_s, u"{line}"_s});
        row("speed without a device", {u"speed"_s, u"230"_s});
        row("speed with --speed", {u"speed"_s, u"230"_s, u"-d"_s, u"{line}"_s, u"--speed"_s});
        row("ports with a file", {u"ports"_s, u"{file}"_s});
        row("ports with a device", {u"ports"_s, u"-d"_s, u"{line}"_s});
    }

    void usageErrorsExitTwo()
    {
        QFETCH(QStringList, arguments);

        QTemporaryDir folder;
        const QString path = folder.filePath(u"pattern.zvk"_s);
        QVERIFY(putFile(path, savedFile(QByteArray::fromHex("80"), 4, 4, 230)));
        const auto board = lineEndpoint();
        QVERIFY(board);

        const ToolRun run = runTool(zvk(), replaced(arguments, path, board->deviceName()));
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.endsWith(u"Try 'zvk --help'.\n"_s), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(board->received(0, 0), QByteArray());
    }

    void showDescribesTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("flags");

        QTest::newRow("four channels as saved")
            << savedFile(QByteArray::fromHex("8040201080402010"), 4, 8, 230)
            << QStringList{u"channels  4"_s,
                           u"length    8"_s,
                           u"speed     230 (250 ms per step)"_s,
                           u"channel 1 #...#..."_s,
                           u"channel 2 .#...#.."_s,
                           u"channel 3 ..#...#."_s,
                           u"channel 4 ...#...#"_s}
            << QStringList{};
        QTest::newRow("two channels, slowest")
            << savedFile(QByteArray::fromHex("c000c000"), 2, 4, 5)
            << QStringList{u"speed     5 (2500 ms per step)"_s, u"channel 2 #.#."_s,
                           u"channel 3 ....  (hidden, above the channel count)"_s}
            << QStringList{};
        QByteArray tenths;
        for (int step = 1; step <= kMaxLength; ++step)
            tenths += step % 10 == 0 ? "a0" : step % 5 == 0 ? "50" : "00";
        QTest::newRow("a hundred steps")
            << savedFile(QByteArray::fromHex(tenths), 4, 100, 250)
            << QStringList{u"step          :    1    :    2    :    3    :    4    :    5"
                           u"    :    6    :    7    :    8    :    9    :    0"_s,
                           u"channel 1 "_s + u".........#"_s.repeated(10),
                           u"channel 2 "_s + u"....#....."_s.repeated(10),
                           u"speed     250 (50 ms per step)"_s}
            << QStringList{};
        QTest::newRow("values out of range")
            << savedFile(QByteArray::fromHex("10101010"), 7, 0, 251)
            << QStringList{u"channels  7  ! outside 2..4"_s,
                           u"length    0 (the grid shows 4 steps)  ! outside 4..100"_s,
                           u"speed     251 (40 ms per step)  ! outside 5..250"_s,
                           u"channel 4 ####"_s}
            << QStringList{};
        QTest::newRow("low bits and a lamp beyond the length")
            << withByte(savedFile(QByteArray::fromHex("81402f10"), 4, 4, 230), 50, '\x80')
            << QStringList{u"channel 1 #..."_s, u"channel 3 ..#."_s, u"low bits  1.f."_s}
            << QStringList{
                   u"! 1 of bytes 4..121 are not end markers (0x01), the first is byte 50"_s,
                   u"! low bits set in 2 of steps 1..4; the upload clears them"_s};
        QTest::newRow("oversized")
            << savedFile(QByteArray::fromHex("80402010"), 4, 4, 230) + QByteArray(72, 'x')
            << QStringList{u"channel 4 ...#"_s}
            << QStringList{u"! oversized: 200 bytes, a run file has 128"_s};
    }

    void showDescribesTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, flags);

        QTemporaryDir folder;
        const QString path = folder.filePath(u"pattern.zvk"_s);
        QVERIFY(putFile(path, file));
        const ToolRun run = runTool(zvk(), {u"show"_s, path});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);

        const QStringList shown = run.out.split(u'\n');
        QCOMPARE(shown.constFirst(), path);
        for (const QString& line : lines)
            QVERIFY2(shown.contains(line), qPrintable(u"missing: "_s + line + u'\n' + run.out));
        QCOMPARE(shown.filter(QRegularExpression(u"^!"_s)), flags);
    }

    void checkReportsEachFile_data()
    {
        QTest::addColumn<QList<QByteArray>>("files"); // a null entry names a missing file
        QTest::addColumn<QStringList>("verdicts");
        QTest::addColumn<int>("exitCode");

        const QByteArray saved = savedFile(QByteArray::fromHex("8040201080402010"), 4, 8, 230);
        QTest::newRow("as saved") << QList{saved} << QStringList{u"ok"_s} << 0;
        QTest::newRow("low bits kept, as New writes")
            << QList{savedFile(QByteArray::fromHex("8f412e1f"), 3, 4, 100)} << QStringList{u"ok"_s}
            << 0;
        QTest::newRow("truncated")
            << QList{saved.first(127)} << QStringList{u"truncated: 127 of 128 bytes"_s} << 1;
        QTest::newRow("empty") << QList{QByteArray("")}
                               << QStringList{u"truncated: 0 of 128 bytes"_s} << 1;
        QTest::newRow("oversized")
            << QList{saved + 'x'} << QStringList{u"oversized: 129 bytes, a run file has 128"_s}
            << 1;
        QTest::newRow("missing") << QList{QByteArray()} << QStringList{u"File not found"_s} << 1;
        QTest::newRow("every value out of range")
            << QList{savedFile(QByteArray::fromHex("8040201080402010"), 1, 101, 4)}
            << QStringList{u"channel count 1 outside 2..4; length 101 outside 4..100; "
                           u"speed 4 outside 5..250"_s}
            << 1;
        QTest::newRow("no end markers from the length on")
            << QList{withByte(withByte(saved, 9, '\0'), kTailSlot, '\x81')}
            << QStringList{u"2 of bytes 8..121 are not end markers (0x01), the first is byte 9"_s}
            << 1;
        QTest::newRow("one bad among good ones")
            << QList{saved, saved.first(64), saved}
            << QStringList{u"ok"_s, u"truncated: 64 of 128 bytes"_s, u"ok"_s} << 1;
        QTest::newRow("all good") << QList{saved, savedFile(QByteArray::fromHex("f0"), 2, 4, 250)}
                                  << QStringList{u"ok"_s, u"ok"_s} << 0;
    }

    void checkReportsEachFile()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, verdicts);
        QFETCH(int, exitCode);

        QTemporaryDir folder;
        QStringList paths;
        QString expected;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString name = u"file%1.zvk"_s.arg(i);
            paths << folder.filePath(name);
            QVERIFY(files[i].isNull() || putFile(paths.constLast(), files[i]));
            expected += paths.constLast() + u": "_s + verdicts[i] + u'\n';
        }
        const ToolRun run = runTool(zvk(), QStringList{u"check"_s} + paths);
        QVERIFY(run.finished);
        QCOMPARE(run.out, expected);
        QCOMPARE(run.exitCode, exitCode);
    }

    void showFailsOnUnreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file at all; empty name: a folder
        QTest::addColumn<QString>("error");

        QTest::newRow("truncated") << QByteArray(100, '\x01') << u"truncated: 100 of 128 bytes"_s;
        QTest::newRow("missing") << QByteArray() << u"File not found"_s;
    }

    void showFailsOnUnreadableFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);

        QTemporaryDir folder;
        const QString path = folder.filePath(file.isNull() ? u"missing.zvk"_s : u"pattern.zvk"_s);
        QVERIFY(file.isNull() || putFile(path, file));
        const ToolRun run = runTool(zvk(), {u"show"_s, path});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, u"zvk: %1: %2\n"_s.arg(path, error));
    }
};

QTEST_MAIN(TestZvk)
#include "tst_Zvk.moc"
