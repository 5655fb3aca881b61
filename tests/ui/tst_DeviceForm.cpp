// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include "support/ThisSystem.h"
#include <QTest>

#include "device/SerialPortLink.h"
#include "ui/PortDevicesDialog.h"
#include "ui/ScrollBarParts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <memory>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// Enough for the bytes a line endpoint passes on at once; nothing waits on the wire time.
constexpr int kReadTimeoutMs = 2000;
constexpr int kSilenceMs = 100;

// The program pointed at a line endpoint through its settings file, on the real serial code.
class BoardFixture {
public:
    explicit BoardFixture(bool immediateSpeed, const QString& device1 = {})
        : board(lineEndpoint()), fixture(&link)
    {
        fixture.writeSettings(
            QStringLiteral("[ComPort]\nAktive=COM 1\nDevice1=%1\n"
                           "[Speed]\nJast=%2\n")
                .arg(device1.isEmpty() ? board->deviceName() : device1,
                     immediateSpeed ? QStringLiteral("Send") : QStringLiteral("no send"))
                .toUtf8());
        fixture.start();
        QObject::connect(fixture.form().statusPanels(), &StatusPanels::panelTextChanged,
                         [this](int panel, const QString& text) {
                             if (panel == 3)
                                 messages << text;
                         });
    }

    SerialPortLink link;
    std::unique_ptr<LineEndpoint> board;
    FormFixture fixture;
    QStringList messages;
};

// The centre of one part of a scroll bar, where the user's mouse would go.
QPoint scrollBarPartCentre(const QScrollBar& bar, QStyle::SubControl part)
{
    return scrollBarPart(bar, part).center();
}

const LinkError kMissingPort{LinkError::Stage::Open, LinkError::Cause::NotFound,
                             QStringLiteral("/dev/ttyS0"), QStringLiteral("No such file")};

} // namespace

class TestDeviceForm : public QObject {
    Q_OBJECT
private slots:
    void uploadPutsThePatternOnTheLine_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("4") << 4;
        QTest::newRow("8") << 8;
        QTest::newRow("100") << 100;
    }
    void uploadPutsThePatternOnTheLine()
    {
        QFETCH(int, length);
        BoardFixture board(false);
        QVERIFY(board.board);
        TMainForm& form = board.fixture.form();
        RunRecord& record = form.runRecord();
        for (int step = 0; step < kStepCount; ++step)
            record[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>(0x93 + 7 * step);
        record[kTailSlot] = 0xE0;
        record[kLengthIndex] = static_cast<std::uint8_t>(length);
        form.PaintAll();
        const RunRecord before = record;

        form.SpeedButtonTxClick();
        QCOMPARE(board.board->received(120, kReadTimeoutMs), expectedUpload(before, length));
        QCOMPARE(board.board->received(0, kSilenceMs), QByteArray());
        QCOMPARE(board.messages, QStringList{QStringLiteral(" Передача файла данных...")});
        for (int step = 0; step < kStepCount; ++step) {
            const int expected =
                step < length ? before[static_cast<std::size_t>(step)] & 0xF0 : 0x01;
            QCOMPARE(int(record[static_cast<std::size_t>(step)]), expected);
        }
        QCOMPARE(int(record[kTailSlot]), 0x01);
    }

    void uploadWithImmediateSpeedSendsTheSpeedAfterIt()
    {
        BoardFixture board(true);
        QVERIFY(board.board);
        board.fixture.child<QAction>("ItemTX")->trigger();
        QByteArray line = board.board->received(123, kReadTimeoutMs);
        QCOMPARE(line.size(), 123);
        QCOMPARE(line.right(3), QByteArray::fromHex("ffe6ff"));
        QCOMPARE(board.messages,
                 QStringList({QStringLiteral(" Передача файла данных..."),
                              QStringLiteral(" Установка скорости в устройстве...")}));
    }

    void everySpeedChangeGoesOutOnlyWhenAskedFor()
    {
        BoardFixture board(true);
        QVERIFY(board.board);
        auto* speed = board.fixture.child<QScrollBar>("ScrollBarSpeed");
        speed->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        speed->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(board.board->received(6, kReadTimeoutMs), QByteArray::fromHex("ffe7ffffddff"));

        board.fixture.child<QCheckBox>("CheckBoxToBox")->setChecked(false);
        board.messages.clear();
        speed->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(board.board->received(0, kSilenceMs), QByteArray());
        QVERIFY(board.messages.isEmpty());
    }

    void aPortThatFailsKeepsTheProgramAndThePattern_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("warning");
        QTest::newRow("missing") << QStringLiteral("/dev/zorvikta-no-such-port")
                                 << QStringLiteral("Не могу открыть порт");
    }
    void aPortThatFailsKeepsTheProgramAndThePattern()
    {
        QFETCH(QString, device);
        QFETCH(QString, warning);
        BoardFixture board(true, device);
        TMainForm& form = board.fixture.form();
        form.runRecord()[0] = 0x8F;
        form.runRecord()[20] = 0xF0;
        const RunRecord before = form.runRecord();
        board.fixture.prompts.clear();

        form.SpeedButtonTxClick();
        QCOMPARE(board.fixture.prompts.warnings, QStringList{warning});
        QVERIFY(board.fixture.prompts.warningDetails.constFirst().contains(device));
        QVERIFY(board.fixture.prompts.warningDetails.constFirst().contains(
            QStringLiteral("«Выбор устройства...»")));
        QCOMPARE(board.fixture.panel(2), QStringLiteral(" COM Порт не удалось открыть!"));
        QCOMPARE(form.runRecord(), before);
        QCOMPARE(board.messages, QStringList{QStringLiteral(" Передача файла данных...")});

        board.fixture.prompts.answers = {true};
        QVERIFY(form.close());
        QCOMPARE(board.fixture.readFile(QStringLiteral("tmp.zvk")).at(0), '\x8F');
    }

    // A modal box swallows the release of a press it opens under; the bar would then repeat.
    void oneClickOnTheSpeedBarWithAFailingPortIsOneStepAndOneWarning_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("step"); // 0: wherever the drag ends
        QTest::newRow("arrow") << QStringLiteral("arrow") << 1;
        QTest::newRow("track") << QStringLiteral("track") << 10;
        QTest::newRow("thumb dragged") << QStringLiteral("thumb") << 0;
    }
    void oneClickOnTheSpeedBarWithAFailingPortIsOneStepAndOneWarning()
    {
        QFETCH(QString, gesture);
        QFETCH(int, step);
        FormFixture fixture;
        fixture.writeSettings("[Speed]\nJast=Send\n");
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* speed = fixture.child<QScrollBar>("ScrollBarSpeed");
        speed->setValue(100);
        fixture.prompts.clear();
        fixture.recording.failure = kMissingPort;
        // Longer than the bar waits before it starts repeating.
        fixture.prompts.whileWarningOpen = [] { QTest::qWait(800); };

        if (gesture == QStringLiteral("thumb")) {
            const QPoint thumb = scrollBarPartCentre(*speed, QStyle::SC_ScrollBarSlider);
            QTest::mousePress(speed, Qt::LeftButton, {}, thumb);
            for (int dx = 2; dx <= 12; dx += 2)
                QTest::mouseMove(speed, thumb + QPoint(dx, 0));
            QVERIFY(fixture.prompts.warnings.isEmpty());
            QTest::mouseRelease(speed, Qt::LeftButton, {}, thumb + QPoint(12, 0));
        } else {
            QTest::mouseClick(speed, Qt::LeftButton, {},
                              scrollBarPartCentre(*speed, gesture == QStringLiteral("arrow")
                                                              ? QStyle::SC_ScrollBarAddLine
                                                              : QStyle::SC_ScrollBarAddPage));
        }
        QTRY_COMPARE(fixture.prompts.warnings, QStringList{QStringLiteral("Не могу открыть порт")});
        QTest::qWait(100); // a second box would be queued by now

        if (step > 0)
            QCOMPARE(speed->value(), 100 + step);
        else
            QVERIFY(speed->value() > 100);
        QCOMPARE(fixture.prompts.warnings.size(), 1);
        QCOMPARE(int(form.runRecord()[kSpeedIndex]), speed->value());
        QCOMPARE(fixture.child<QLabel>("LabelSpeed")->text(),
                 QStringLiteral("Cкорость %1").arg(speed->value()));
    }

    void thePortNoticeGivesThePanelBackOnceATransferGoesThrough_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("panel");
        QTest::newRow("a marked step") << true << QStringLiteral("Ins 101");
        QTest::newRow("nothing marked") << false << QStringLiteral(" ");
    }
    void thePortNoticeGivesThePanelBackOnceATransferGoesThrough()
    {
        QFETCH(bool, marked);
        QFETCH(QString, panel);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        if (marked)
            form.PaintBoxDblClick();
        fixture.recording.failure = kMissingPort;
        form.SpeedButtonTxClick();
        form.SpeedButtonTxClick(); // a second failure must not take the notice for the panel
        QCOMPARE(fixture.panel(2), QStringLiteral(" COM Порт не удалось открыть!"));
        auto* label = form.statusPanels()->findChild<QLabel*>(QStringLiteral("StatusPanel2"));
        QCOMPARE(label->toolTip(), QStringLiteral(" COM Порт не удалось открыть!"));
        QVERIFY(label->text().startsWith(QStringLiteral(" COM")));
        QVERIFY(label->text().endsWith(QChar(0x2026)));

        fixture.recording.failure.reset();
        form.SpeedButtonTxClick();
        QCOMPARE(fixture.panel(2), panel);
        QCOMPARE(label->text(), panel);
        QCOMPARE(label->toolTip(), QString());
    }

    void choosingAPortIsStoredAtOnceAndUsedNext()
    {
        SerialPortLink link;
        const auto first = lineEndpoint();
        const auto second = lineEndpoint();
        QVERIFY(first && second);
        FormFixture fixture(&link);
        fixture.writeSettings(QStringLiteral("[ComPort]\nAktive=COM 2\nDevice1=%1\nDevice2=%2\n")
                                  .arg(first->deviceName(), second->deviceName())
                                  .toUtf8());
        TMainForm& form = fixture.start();
        form.SpeedButtonTxClick();
        QCOMPARE(second->received(120, kReadTimeoutMs).size(), 120);

        fixture.child<QAction>("itemCom1")->trigger();
        QVERIFY(fixture.child<QAction>("itemCom1")->isChecked());
        QVERIFY(!fixture.child<QAction>("itemCom2")->isChecked());
        const QByteArray stored = fixture.readFile(QStringLiteral("Zorvikta.ini"));
        QVERIFY(stored.contains("Aktive=COM 1"));
        QVERIFY(stored.contains("Device2=" + second->deviceName().toUtf8()));
        QCOMPARE(first->received(0, kSilenceMs), QByteArray()); // choosing opens no port

        form.SpeedButtonTxClick();
        QCOMPARE(first->received(120, kReadTimeoutMs).size(), 120);
        QCOMPARE(second->received(0, kSilenceMs), QByteArray());
    }

    // From the menu to the wire without touching a file: the line endpoint chosen in the
    // dialog gets exactly the upload, and the choice is in the settings after the close.
    void aDeviceChosenInTheDialogGetsTheUpload()
    {
        SerialPortLink link;
        const auto board = lineEndpoint();
        QVERIFY(board);
        FormFixture fixture(&link);
        TMainForm& form = fixture.start();
        fixture.child<QAction>("itemCom1")->trigger();
        fixture.child<QAction>("itemDevices")->trigger();
        auto* dialog = form.findChild<PortDevicesDialog*>();
        QVERIFY(dialog);
        auto* com1 = dialog->findChild<QComboBox*>(QStringLiteral("ComboBoxCOM1"));
        com1->setEditText(board->deviceName());
        QTest::keyClick(com1->lineEdit(), Qt::Key_Return);
        QVERIFY(!dialog->isVisible());

        form.runRecord()[0] = 0x9F;
        form.runRecord()[1] = 0x60;
        const RunRecord before = form.runRecord();
        form.SpeedButtonTxClick();
        QCOMPARE(board->received(120, kReadTimeoutMs), expectedUpload(before, 8));
        QCOMPARE(board->received(0, kSilenceMs), QByteArray());

        fixture.prompts.answers = {false};
        QVERIFY(form.close());
        QVERIFY(fixture.readFile(QStringLiteral("Zorvikta.ini"))
                    .contains("\nDevice1=" + board->deviceName().toUtf8() + '\n'));
    }
};

QTEST_MAIN(TestDeviceForm)
#include "tst_DeviceForm.moc"
