// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include "support/PseudoTerminal.h"
#include <QTest>

#include "device/Messages.h"
#include "device/SerialPortLink.h"

#include <QElapsedTimer>
#include <QThread>

#include <memory>

#include <termios.h>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

constexpr int kReadTimeoutMs = 2000;
constexpr int kWatchTimeoutMs = 5000;
// The link gives up on an upload after its wire time at 1200 baud and half a second more; beyond
// that a failing transfer may take only the time to close the port, never an open-ended wait.
constexpr qint64 kDrainLimitMs = 1000 + 500;
constexpr qint64 kCloseSlackMs = 2000;

// The line settings that follow the speed take microseconds; the stalled write then holds the
// port for over a second. Unplugging this long after the speed change lands inside the write.
constexpr unsigned long kConfigureSettleMs = 100;

// Closes the board's end while a transfer is writing: shortly after the line has been set to the
// board's 1200 baud.
std::unique_ptr<QThread> unplugDuringTransfer(PseudoTerminal& board)
{
    return std::unique_ptr<QThread>(QThread::create([&board] {
        QElapsedTimer watch;
        watch.start();
        while (watch.elapsed() < kWatchTimeoutMs) {
            const termios line = board.slaveSettings();
            if (::cfgetospeed(&line) == B1200) {
                QThread::msleep(kConfigureSettleMs);
                board.closeMaster();
                return;
            }
            QThread::usleep(200);
        }
    }));
}

} // namespace

class TestDeviceFaults : public QObject {
    Q_OBJECT
private slots:
    void aBoardThatFailsLosesNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("portPanel");
        QTest::newRow("unplugged between transfers")
            << QStringLiteral("unplugged") << QStringLiteral("Не могу открыть порт")
            << QStringLiteral(" COM Порт не удалось открыть!");
        QTest::newRow("unplugged during the write")
            << QStringLiteral("unplugged while stalled")
            << QStringLiteral("Не могу передать данные в порт") << QStringLiteral(" ");
        QTest::newRow("output stopped, never drains")
            << QStringLiteral("stalled") << QStringLiteral("Не могу передать данные в порт")
            << QStringLiteral(" ");
    }
    void aBoardThatFailsLosesNothing()
    {
        QFETCH(QString, fault);
        QFETCH(QString, warning);
        QFETCH(QString, portPanel);
        SerialPortLink link;
        PseudoTerminal board;
        QVERIFY(board.isOpen());
        FormFixture fixture(&link);
        fixture.writeSettings(QStringLiteral("[ComPort]\nAktive=COM 1\nDevice1=%1\n"
                                             "[Speed]\nJast=Send\n")
                                  .arg(board.slaveName())
                                  .toUtf8());
        TMainForm& form = fixture.start();
        form.show();
        for (int step = 0; step < kStepCount; ++step)
            form.runRecord()[static_cast<std::size_t>(step)] =
                static_cast<std::uint8_t>(0x1F + 13 * step);

        // A first transfer goes through, so the board is known to have worked.
        form.SpeedButtonTxClick();
        QCOMPARE(board.received(kUploadMessageSize + kSpeedMessageSize, kReadTimeoutMs).size(),
                 kUploadMessageSize + kSpeedMessageSize);
        // Drawn on again, so that an upload which tidied the record and then failed would show.
        form.runRecord()[1] |= 0x05;
        form.runRecord()[static_cast<std::size_t>(form.gridView().length) + 2] = 0xF0;
        const QByteArray before = recordBytes(form.runRecord());
        const QByteArray upload = expectedUpload(form.runRecord(), form.gridView().length);
        fixture.prompts.clear();

        std::unique_ptr<QThread> unplug;
        if (fault == QStringLiteral("unplugged")) {
            board.closeMaster();
        } else {
            QCOMPARE(::tcflow(board.slave(), TCOOFF), 0);
            if (fault == QStringLiteral("unplugged while stalled")) {
                unplug = unplugDuringTransfer(board);
                unplug->start();
            }
        }
        QElapsedTimer clock;
        clock.start();
        form.SpeedButtonTxClick();
        const qint64 elapsed = clock.elapsed();
        if (unplug)
            QVERIFY(unplug->wait(kWatchTimeoutMs));
        ::tcflow(board.slave(), TCOON);

        QVERIFY2(elapsed <= kDrainLimitMs + kCloseSlackMs, qPrintable(QString::number(elapsed)));
        QCOMPARE(fixture.prompts.warnings, QStringList{warning});
        QVERIFY(fixture.prompts.warningDetails.constFirst().contains(board.slaveName()));
        QCOMPARE(fixture.panel(2), portPanel);
        QCOMPARE(recordBytes(form.runRecord()), before);

        // The program goes on: it saves, and a board that has drained takes the next upload whole.
        fixture.prompts.clear();
        fixture.prompts.chosenFiles = {fixture.path(QStringLiteral("after.zvk"))};
        form.SpeedButtonSaveASClick();
        QVERIFY(fixture.prompts.errors.isEmpty());
        QCOMPARE(fixture.readFile(QStringLiteral("after.zvk")), recordBytes(form.runRecord()));
        if (fault == QStringLiteral("stalled")) {
            form.SpeedButtonTxClick();
            QCOMPARE(board.received(kUploadMessageSize + kSpeedMessageSize, kReadTimeoutMs),
                     upload + expectedSpeed(form.runRecord()[kSpeedIndex]));
            QVERIFY(fixture.prompts.warnings.isEmpty());
        }
    }
};

QTEST_MAIN(TestDeviceFaults)
#include "tst_DeviceFaults.moc"
