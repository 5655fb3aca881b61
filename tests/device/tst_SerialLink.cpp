// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkErrorMetaTypes.h"
#include "support/PseudoTerminal.h"
#include "support/RunFiles.h"

#include "device/Messages.h"
#include "device/Ports.h"
#include "device/SerialPortLink.h"
#include "device/UploadSequence.h"
#include "model/RunRecord.h"

#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <optional>
#include <utility>

#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// Long enough for a loaded machine; a transfer to a pseudo-terminal takes a few milliseconds.
constexpr int kArrivalTimeoutMs = 5000;
// How long to listen for bytes that must not come.
constexpr int kSilenceMs = 200;

termios withFlags(termios settings, speed_t speed, tcflag_t controlFlags, tcflag_t inputFlags)
{
    ::cfsetispeed(&settings, speed);
    ::cfsetospeed(&settings, speed);
    settings.c_cflag |= controlFlags;
    settings.c_iflag |= inputFlags;
    return settings;
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void messagesReachTheLineExactly_data()
    {
        QTest::addColumn<QList<QByteArray>>("messages");
        QTest::addColumn<QByteArray>("expected");

        for (const auto& [length, seed] : {std::pair{4, 3}, {8, 11}, {100, 5}, {4, 0}, {100, 0}}) {
            const RunRecord drawn = untidyRecord(seed);
            QTest::addRow("upload, length %d%s", length, seed == 0 ? ", every bit set" : "")
                << QList<QByteArray>{uploadSequence(drawn, length).upload}
                << expectedUpload(drawn, length);
        }
        const auto speedRow = [](const char* name, int speed, const char* wire) {
            QTest::newRow(name) << QList<QByteArray>{speedMessage(std::uint8_t(speed))}
                                << QByteArray(wire, kSpeedMessageSize);
        };
        speedRow("speed 230", 230, "\xFF\xE6\xFF");
        speedRow("lowest speed 5", 5, "\xFF\x05\xFF");
        speedRow("highest speed 250", 250, "\xFF\xFA\xFF");
        // Bytes that a terminal line in its usual mode translates or swallows.
        speedRow("speed 10, a line feed", 10, "\xFF\x0A\xFF");
        speedRow("speed 13, a carriage return", 13, "\xFF\x0D\xFF");
        speedRow("speed 17, XON", 17, "\xFF\x11\xFF");
        speedRow("speed 19, XOFF", 19, "\xFF\x13\xFF");
        speedRow("speed 0 from a file, outside the range", 0, "\xFF\x00\xFF");

        // Each transfer opens the port afresh, as the upload followed by the speed does.
        RunRecord record = untidyRecord(9);
        record[kSpeedIndex] = 230;
        const UploadSequence sequence = uploadSequence(record, 8, true);
        QTest::newRow("upload, then speed")
            << QList<QByteArray>{sequence.upload, sequence.speed.value_or(QByteArray())}
            << expectedUpload(untidyRecord(9), 8) + QByteArray("\xFF\xE6\xFF", 3);
        QTest::newRow("three speed changes")
            << QList<QByteArray>{speedMessage(231), speedMessage(232), speedMessage(242)}
            << QByteArray("\xFF\xE7\xFF\xFF\xE8\xFF\xFF\xF2\xFF", 9);
    }

    void messagesReachTheLineExactly()
    {
        QFETCH(QList<QByteArray>, messages);
        QFETCH(QByteArray, expected);

        PseudoTerminal pty;
        QVERIFY(pty.isOpen());
        SerialPortLink link;
        for (const QByteArray& message : messages) {
            const auto error = link.send(pty.slaveName(), message);
            QVERIFY2(!error, qPrintable(error ? error->systemMessage : QString()));
        }

        QCOMPARE(pty.received(int(expected.size()), kArrivalTimeoutMs).toHex(' '),
                 expected.toHex(' '));
    }

    void lineSettingsWhileThePortIsOpen_data()
    {
        QTest::addColumn<int>("startSpeed");
        QTest::addColumn<int>("startControlFlags");
        QTest::addColumn<int>("startInputFlags");

        QTest::newRow("as a fresh pseudo-terminal") << int(B38400) << 0 << 0;
        QTest::newRow("9600, two stop bits, RTS/CTS, XON/XOFF")
            << int(B9600) << int(CSTOPB | CRTSCTS) << int(IXON | IXOFF);
        QTest::newRow("115200, two stop bits, XON") << int(B115200) << int(CSTOPB) << int(IXON);
    }

    void lineSettingsWhileThePortIsOpen()
    {
        QFETCH(int, startSpeed);
        QFETCH(int, startControlFlags);
        QFETCH(int, startInputFlags);

        PseudoTerminal pty;
        QVERIFY(pty.isOpen());
        QVERIFY(pty.setSlaveSettings(withFlags(pty.slaveSettings(), speed_t(startSpeed),
                                               tcflag_t(startControlFlags),
                                               tcflag_t(startInputFlags))));
        // The port puts the line's previous settings back when it closes, so they are read while
        // a transfer holds it open: stopped output keeps the write waiting until its time limit.
        QCOMPARE(::tcflow(pty.slave(), TCOOFF), 0);
        const QString name = pty.slaveName();
        std::optional<LinkError> result;
        const std::unique_ptr<QThread> transfer(QThread::create(
            [&result, name] { result = SerialPortLink().send(name, speedMessage(230)); }));

        termios seen{};
        transfer->start();
        const bool observed = QTest::qWaitFor(
            [&] {
                seen = pty.slaveSettings();
                return ::cfgetospeed(&seen) == B1200 || transfer->isFinished();
            },
            kArrivalTimeoutMs);
        QVERIFY(transfer->wait(kArrivalTimeoutMs));
        ::tcflow(pty.slave(), TCOON);

        QVERIFY(observed);
        QCOMPARE(::cfgetospeed(&seen), speed_t(B1200));
        QCOMPARE(seen.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(seen.c_cflag & PARENB, tcflag_t(0));
        QCOMPARE(seen.c_cflag & CSTOPB, tcflag_t(0));
        QCOMPARE(seen.c_cflag & CRTSCTS, tcflag_t(0));
        QCOMPARE(seen.c_iflag & (IXON | IXOFF), tcflag_t(0));
        QVERIFY(result.has_value());
        QCOMPARE(result->stage, LinkError::Stage::Write);
    }

    void openFailuresWriteNothing_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<LinkError::Stage>("stage");
        QTest::addColumn<LinkError::Cause>("cause");

        QTest::newRow("missing device")
            << QStringLiteral("missing") << LinkError::Stage::Open << LinkError::Cause::NotFound;
        QTest::newRow("regular file")
            << QStringLiteral("regular file") << LinkError::Stage::Open << LinkError::Cause::Other;
        QTest::newRow("/dev/null")
            << QStringLiteral("/dev/null") << LinkError::Stage::Open << LinkError::Cause::Other;
        QTest::newRow("pseudo-terminal whose master is gone")
            << QStringLiteral("master gone") << LinkError::Stage::Open
            << LinkError::Cause::NotFound;
        QTest::newRow("name too long for the system")
            << QStringLiteral("long name") << LinkError::Stage::Open
            << LinkError::Cause::NameTooLong;
        QTest::newRow("a million characters, refused before the port is tried")
            << QStringLiteral("huge name") << LinkError::Stage::Open
            << LinkError::Cause::NameTooLong;
        QTest::newRow("port held by another program")
            << QStringLiteral("held") << LinkError::Stage::Open << LinkError::Cause::Busy;
        QTest::newRow("device the user may not open")
            << QStringLiteral("no access") << LinkError::Stage::Open
            << LinkError::Cause::Permission;
    }

    void openFailuresWriteNothing()
    {
        QFETCH(QString, setup);
        QFETCH(LinkError::Stage, stage);
        QFETCH(LinkError::Cause, cause);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        PseudoTerminal pty;
        QVERIFY(pty.isOpen());
        QSerialPort holder;
        const QByteArray fileContents("kept as it was");
        QString device = pty.slaveName();

        if (setup == u"missing") {
            device = dir.filePath(QStringLiteral("ttyUSB7"));
        } else if (setup == u"regular file") {
            device = dir.filePath(QStringLiteral("plain"));
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(fileContents), fileContents.size());
        } else if (setup == u"long name") {
            device = dir.filePath(QString(300, u'a'));
        } else if (setup == u"huge name") {
            device = dir.filePath(QString(1000000, u'a'));
        } else if (setup == u"/dev/null") {
            device = setup;
        } else if (setup == u"master gone") {
            pty.closeMaster();
        } else if (setup == u"held") {
            holder.setPortName(device);
            QVERIFY(holder.open(QIODevice::WriteOnly));
        } else if (setup == u"no access") {
            if (::geteuid() == 0)
                QSKIP("root opens a device whatever its access rights");
            QCOMPARE(::fchmod(pty.slave(), 0), 0);
        }

        const auto error = SerialPortLink().send(device, speedMessage(230));

        QVERIFY(error.has_value());
        QCOMPARE(error->stage, stage);
        QCOMPARE(error->cause, cause);
        QCOMPARE(error->deviceName, device);
        QVERIFY(!error->systemMessage.isEmpty());
        if (setup == u"regular file") {
            QFile file(device);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), fileContents);
        } else {
            QCOMPARE(pty.received(0, kSilenceMs), QByteArray());
        }
    }

    void stalledLineGivesUpAndFreesThePort_data()
    {
        QTest::addColumn<QByteArray>("message");

        RunRecord record = untidyRecord(1);
        normalise(record, 100);
        QTest::newRow("upload") << uploadMessage(record);
        QTest::newRow("speed") << speedMessage(230);
    }

    void stalledLineGivesUpAndFreesThePort()
    {
        QFETCH(QByteArray, message);

        PseudoTerminal pty;
        QVERIFY(pty.isOpen());
        SerialPortLink link;
        QCOMPARE(::tcflow(pty.slave(), TCOOFF), 0);

        const auto error = link.send(pty.slaveName(), message);

        QVERIFY(error.has_value());
        QCOMPARE(error->stage, LinkError::Stage::Write);
        QCOMPARE(error->deviceName, pty.slaveName());
        QCOMPARE(::tcflow(pty.slave(), TCOON), 0);
        QCOMPARE(pty.received(0, kSilenceMs), QByteArray());

        // Nothing of the abandoned message may linger to precede the next one.
        const QByteArray next = speedMessage(77);
        const auto retry = link.send(pty.slaveName(), next);
        QVERIFY2(!retry, qPrintable(retry ? retry->systemMessage : QString()));
        QCOMPARE(pty.received(kSpeedMessageSize, kArrivalTimeoutMs).toHex(' '), next.toHex(' '));
    }

    void portChoiceSelectsTheConfiguredDevice_data()
    {
        QTest::addColumn<int>("port");

        QTest::newRow("choice 1") << 1;
        QTest::newRow("choice 2") << 2;
    }

    void portChoiceSelectsTheConfiguredDevice()
    {
        QFETCH(int, port);

        PseudoTerminal first;
        PseudoTerminal second;
        QVERIFY(first.isOpen() && second.isOpen());
        const QByteArray message = speedMessage(99);

        const auto error =
            SerialPortLink().send(portDeviceName(port == 1 ? PortChoice::Com1 : PortChoice::Com2,
                                                 {first.slaveName(), second.slaveName()}),
                                  message);

        QVERIFY(!error);
        PseudoTerminal& chosen = port == 1 ? first : second;
        PseudoTerminal& other = port == 1 ? second : first;
        QCOMPARE(chosen.received(kSpeedMessageSize, kArrivalTimeoutMs), message);
        QCOMPARE(other.received(0, kSilenceMs), QByteArray());
    }
};

QTEST_MAIN(TestSerialLink)
#include "tst_SerialLink.moc"
