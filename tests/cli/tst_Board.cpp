// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardProcess.h"
#include "ToolRun.h"
#include "support/PseudoTerminal.h"
#include "support/RunFiles.h"

#include "device/SerialPortLink.h"
#include "model/Presets.h"
#include "model/RunRecord.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <climits>
#include <csignal>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

// The preset's steps as its button leaves them; random presets draw from a fresh generator.
RunRecord presetSteps(const QByteArray& caption)
{
    RunRecord record{};
    RandomDraw draw;
    writePresetSteps(*findPreset(caption.toStdString()), record, draw);
    return record;
}

QString uploadLine(const RunRecord& drawn, int length)
{
    QByteArray lamps;
    for (int step = 0; step < length; ++step)
        lamps.append(static_cast<char>(drawn[step] & 0xF0));
    return u"upload, length %1: %2"_s.arg(length).arg(QString::fromLatin1(lamps.toHex(' ')));
}

QString speedLine(int speed)
{
    return u"speed %1, %2 ms per step"_s.arg(speed).arg((255 - speed) * 10);
}

// What the program sends with "Сразу в блок": the pattern at its length, then the speed, each
// written down from the wire format and sent in a transfer of its own.
bool sendUploadAndSpeed(const QString& device, const RunRecord& drawn, int length, int speed)
{
    SerialPortLink link;
    return !link.send(device, expectedUpload(drawn, length)) &&
           !link.send(device, expectedSpeed(speed));
}

termios lineSettings(const QString& device)
{
    termios settings{};
    const int descriptor = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NOCTTY);
    if (descriptor >= 0) {
        ::tcgetattr(descriptor, &settings);
        ::close(descriptor);
    }
    return settings;
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private slots:
    void programUploadComesBack_data()
    {
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("speed");

        // Speeds that a terminal line in its usual mode would translate or swallow among them.
        const std::array speeds{230, 10, 13, 17, 19, 5, 250};
        int row = 0;
        for (const char* caption : {"4-1", "2C", "ST", "Rnd", "RnF", "VS", "4Un"}) {
            for (const int length : {kMinLength, kMaxLength}) {
                const int speed = speeds[std::size_t(row++) % speeds.size()];
                QTest::addRow("%s, length %d, speed %d", caption, length, speed)
                    << QByteArray(caption) << length << speed;
            }
        }
    }

    void programUploadComesBack()
    {
        QFETCH(QByteArray, caption);
        QFETCH(int, length);
        QFETCH(int, speed);

        BoardProcess board({u"--log"_s});
        const QString device = board.deviceName();
        QVERIFY(!device.isEmpty());
        const RunRecord drawn = presetSteps(caption);
        QVERIFY(sendUploadAndSpeed(device, drawn, length, speed));

        QCOMPARE(board.messages(2), (QStringList{uploadLine(drawn, length), speedLine(speed)}));
        QVERIFY(board.stopsCleanlyOn(SIGTERM));
        QCOMPARE(board.remainingOutput(), QByteArray());
    }

    void resynchronisesAfterGarbage_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("expected");

        const RunRecord run = presetSteps("4-1");
        const QString runLine = uploadLine(run, 8);
        const QByteArray upload = expectedUpload(run, 8);

        QTest::newRow("garbage before a speed")
            << QByteArray::fromHex("1234") + expectedSpeed(230)
            << QStringList{u"skipped 2 bytes: 12 34"_s, speedLine(230)};
        QTest::newRow("upload cut short")
            << upload.first(40) + expectedSpeed(17)
            << QStringList{u"skipped 40 bytes: "_s +
                               QString::fromLatin1(upload.first(40).toHex(' ')),
                           speedLine(17)};
        QTest::newRow("speed without its closing byte")
            << QByteArray::fromHex("ffe620") + upload
            << QStringList{u"skipped 3 bytes: ff e6 20"_s, runLine};
        QTest::newRow("doubled header")
            << QByteArray::fromHex("ff") + upload << QStringList{u"skipped 1 byte: ff"_s, runLine};
        QTest::newRow("garbage between messages")
            << upload + QByteArray(300, '\x20') + expectedSpeed(250)
            << QStringList{runLine,
                           u"skipped 300 bytes: "_s +
                               QString::fromLatin1(QByteArray(300, '\x20').toHex(' ')),
                           speedLine(250)};
    }

    // A speed message after the stream shows that nothing else was reported in between.
    void resynchronisesAfterGarbage()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, expected);

        BoardProcess board({u"--log"_s});
        const QString device = board.deviceName();
        QVERIFY(!device.isEmpty());
        QVERIFY(!SerialPortLink().send(device, stream + expectedSpeed(kMinSpeed)));

        const QStringList shown = board.messages(int(expected.size()) + 1);
        QCOMPARE(shown, expected << speedLine(kMinSpeed));
        QVERIFY(board.stopsCleanlyOn(SIGINT));
    }

    void listensAtTheBoardsLineSettings_data()
    {
        QTest::addColumn<bool>("givenDevice");

        QTest::newRow("its own pseudo-terminal") << false;
        QTest::newRow("a device given with --device") << true;
    }

    void listensAtTheBoardsLineSettings()
    {
        QFETCH(bool, givenDevice);

        // With --device the board takes the slave of a pair that the test writes into.
        int master = -1;
        int slave = -1;
        std::array<char, PATH_MAX> name{};
        QCOMPARE(::openpty(&master, &slave, name.data(), nullptr, nullptr), 0);
        const auto closeBoth = qScopeGuard([&] {
            ::close(master);
            ::close(slave);
        });
        const QString slaveName = QFile::decodeName(name.data());

        BoardProcess board(givenDevice ? QStringList{u"--log"_s, u"--device"_s, slaveName}
                                       : QStringList{u"--log"_s});
        const QString device = board.deviceName();
        QCOMPARE(device.isEmpty(), false);
        if (givenDevice)
            QCOMPARE(device, slaveName);

        const termios settings = lineSettings(device);
        QCOMPARE(::cfgetispeed(&settings), speed_t(B1200));
        QCOMPARE(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
        QCOMPARE(settings.c_iflag & (IXON | IXOFF | ICRNL), tcflag_t(0));
        QCOMPARE(settings.c_lflag & ICANON, tcflag_t(0));

        const RunRecord drawn = presetSteps("ST");
        const QByteArray bytes = expectedUpload(drawn, 16) + expectedSpeed(13);
        if (givenDevice)
            QCOMPARE(::write(master, bytes.constData(), size_t(bytes.size())),
                     ssize_t(bytes.size()));
        else
            QVERIFY(!SerialPortLink().send(device, bytes));
        QCOMPARE(board.messages(2), (QStringList{uploadLine(drawn, 16), speedLine(13)}));
    }

    void stopsCleanly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("signalNumber");

        QTest::newRow("log, Ctrl-C") << QStringList{u"--log"_s} << int(SIGINT);
        QTest::newRow("log, SIGTERM") << QStringList{u"--log"_s} << int(SIGTERM);
        QTest::newRow("lamps, Ctrl-C") << QStringList{} << int(SIGINT);
        QTest::newRow("lamps, SIGTERM") << QStringList{} << int(SIGTERM);
    }

    // A message still under way when the board stops is reported, not lost.
    void stopsCleanly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, signalNumber);

        BoardProcess board(arguments);
        const QString device = board.deviceName();
        QVERIFY(!device.isEmpty());
        QVERIFY(!SerialPortLink().send(device, QByteArray::fromHex("ffe6ff") +
                                                   QByteArray::fromHex("fffe8040")));
        QVERIFY(board.reachesLineWith(speedLine(230)));

        QVERIFY(board.stopsCleanlyOn(signalNumber));
        const QString rest = QString::fromUtf8(board.remainingOutput());
        QVERIFY2(rest.contains(u"skipped 4 bytes: ff fe 80 40"_s), qPrintable(rest));
        QVERIFY(rest.endsWith(u'\n'));
    }

    void lampsShowThePattern_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<bool>("noColour");
        QTest::addColumn<bool>("onTerminal");
        QTest::addColumn<bool>("colour");

        QTest::newRow("xterm") << u"xterm"_s << false << true << true;
        QTest::newRow("dumb terminal") << u"dumb"_s << false << true << false;
        QTest::newRow("NO_COLOR") << u"xterm-256color"_s << true << true << false;
        QTest::newRow("no TERM") << QString() << false << true << false;
        QTest::newRow("output to a pipe") << u"xterm"_s << false << false << false;
    }

    void lampsShowThePattern()
    {
        QFETCH(QString, term);
        QFETCH(bool, noColour);
        QFETCH(bool, onTerminal);
        QFETCH(bool, colour);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"NO_COLOR"_s);
        environment.remove(u"TERM"_s);
        if (!term.isEmpty())
            environment.insert(u"TERM"_s, term);
        if (noColour)
            environment.insert(u"NO_COLOR"_s, u"1"_s);

        PseudoTerminal screen;
        QVERIFY(screen.isOpen());
        QProcess board;
        board.setProcessEnvironment(environment);
        if (onTerminal)
            board.setStandardOutputFile(screen.slaveName());
        board.start(QStringLiteral(ZORVIKTA_BOARD_PATH), {});
        const auto stopBoard = qScopeGuard([&] {
            board.kill();
            board.waitForFinished(kToolTimeoutMs);
        });

        QByteArray shown;
        const auto showsAfter = [&](qsizetype from, const QByteArray& text) {
            const QDeadlineTimer deadline(kToolTimeoutMs);
            while (shown.indexOf(text, from) < 0 && !deadline.hasExpired()) {
                if (onTerminal)
                    shown += screen.received(1, int(deadline.remainingTime()));
                else if (board.waitForReadyRead(int(deadline.remainingTime())))
                    shown += board.readAllStandardOutput();
            }
            return shown.indexOf(text, from);
        };

        const QByteArray prefix = "listening on ";
        const qsizetype listening = showsAfter(0, prefix);
        QVERIFY(listening >= 0);
        const qsizetype nameStart = listening + prefix.size();
        const qsizetype lineEnd = showsAfter(nameStart, "\n");
        QVERIFY(lineEnd >= 0);
        const QString device =
            QString::fromUtf8(shown.sliced(nameStart, lineEnd - nameStart)).trimmed();
        QVERIFY(sendUploadAndSpeed(device, presetSteps("4-1"), 8, 250));

        // Step 1 of the pattern: lamp 1 lit, the others dark.
        const qsizetype uploaded = showsAfter(0, "upload, length 8");
        QVERIFY(uploaded >= 0);
        const QByteArray firstStep = colour ? "\x1b[30;103m 1 \x1b[0m \x1b[37;100m 2 \x1b[0m "
                                              "\x1b[37;100m 3 \x1b[0m \x1b[37;100m 4 "
                                            : "[#] [ ] [ ] [ ]";
        QVERIFY2(showsAfter(uploaded, "step   1/8 ") >= 0, shown.constData());
        QVERIFY2(showsAfter(uploaded, firstStep) >= 0, shown.constData());
        QVERIFY2(showsAfter(uploaded, "50 ms") >= 0, shown.constData());

        ::kill(pid_t(board.processId()), SIGINT);
        QVERIFY(board.waitForFinished(kToolTimeoutMs));
        QCOMPARE(board.exitCode(), 0);
        shown += onTerminal ? screen.received(0, 0) : board.readAllStandardOutput();
        if (colour) {
            QVERIFY(shown.startsWith("\x1b[?25l"));
            QVERIFY(shown.endsWith("\n\x1b[0m\x1b[?25h"));
        } else {
            QVERIFY2(!shown.contains('\x1b'), shown.constData());
            QVERIFY(shown.endsWith('\n'));
        }
    }

    void reportsADeviceItCannotOpen_data()
    {
        QTest::addColumn<QString>("device");

        QTest::newRow("missing device") << u"/nonexistent/ttyUSB7"_s;
        QTest::newRow("regular file") << u"plain.txt"_s;
        QTest::newRow("directory") << u"."_s;
    }

    void reportsADeviceItCannotOpen()
    {
        QFETCH(QString, device);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = device.startsWith(u'/') ? device : folder.filePath(device);
        QFile file(folder.filePath(u"plain.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        const ToolRun run = runTool(QStringLiteral(ZORVIKTA_BOARD_PATH), {u"--device"_s, path});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(u"zorvikta-board: cannot open %1: "_s.arg(path)),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void usageErrorsExitTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");

        QTest::newRow("unknown option") << QStringList{u"--bogus"_s};
        QTest::newRow("stray argument") << QStringList{u"/dev/ttyS0"_s};
        QTest::newRow("--device without a name") << QStringList{u"--device"_s};
    }

    void usageErrorsExitTwo()
    {
        QFETCH(QStringList, arguments);

        const ToolRun run = runTool(QStringLiteral(ZORVIKTA_BOARD_PATH), arguments);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.endsWith(u"Try 'zorvikta-board --help'.\n"_s), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

QTEST_MAIN(TestBoard)
#include "tst_Board.moc"
