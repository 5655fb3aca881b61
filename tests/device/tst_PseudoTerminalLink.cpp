// SPDX-License-Identifier: GPL-3.0-or-later
// The link against what only a pseudo-terminal's own end can do to a line: its settings, stopped
// output, a closed master, access rights and an exclusive holder.
#include "LinkErrorMetaTypes.h"
#include "support/PseudoTerminal.h"
#include "support/RunFiles.h"

#include "device/Messages.h"
#include "device/SerialPortLink.h"
#include "model/RunRecord.h"

#include <QSerialPort>
#include <QTest>
#include <QThread>

#include <memory>
#include <optional>

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

class TestPseudoTerminalLink : public QObject {
    Q_OBJECT

private slots:
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
        QTest::addColumn<LinkError::Cause>("cause");

        QTest::newRow("pseudo-terminal whose master is gone")
            << QStringLiteral("master gone") << LinkError::Cause::NotFound;
        QTest::newRow("port held by another program")
            << QStringLiteral("held") << LinkError::Cause::Busy;
        QTest::newRow("device the user may not open")
            << QStringLiteral("no access") << LinkError::Cause::Permission;
    }

    void openFailuresWriteNothing()
    {
        QFETCH(QString, setup);
        QFETCH(LinkError::Cause, cause);

        PseudoTerminal pty;
        QVERIFY(pty.isOpen());
        QSerialPort holder;
        const QString device = pty.slaveName();

        if (setup == u"master gone") {
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
        QCOMPARE(error->stage, LinkError::Stage::Open);
        QCOMPARE(error->cause, cause);
        QCOMPARE(error->deviceName, device);
        QVERIFY(!error->systemMessage.isEmpty());
        QCOMPARE(pty.received(0, kSilenceMs), QByteArray());
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
};

QTEST_MAIN(TestPseudoTerminalLink)
#include "tst_PseudoTerminalLink.moc"
