// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void settle()
{
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void recordSpeedReachesTheScrollBarOnlyWhenItMoves()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        fixture.child<QCheckBox>("CheckBoxToBox")->setChecked(true);

        form.runRecord()[kSpeedIndex] = 100;
        form.PaintAll();
        QCOMPARE(fixture.recording.transfers.size(), 1);
        QCOMPARE(fixture.recording.transfers[0].bytes, QByteArray::fromHex("ff64ff"));
        QCOMPARE(fixture.child<QLabel>("LabelSpeed")->text(), QStringLiteral("Cкорость 100"));
        form.PaintAll();
        QCOMPARE(fixture.recording.transfers.size(), 1);
    }

    void outOfRangeSpeedByteIsClampedByTheScrollBar_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("recordSpeed");
        QTest::addColumn<int>("bound");
        QTest::addColumn<int>("recordAfter");
        QTest::addColumn<int>("transfers");
        QTest::newRow("already at the lower bound") << 5 << 0 << 5 << 0 << 0;
        QTest::newRow("moves to the lower bound") << 230 << 0 << 5 << 5 << 1;
        QTest::newRow("already at the upper bound") << 250 << 255 << 250 << 255 << 0;
        QTest::newRow("moves to the upper bound") << 230 << 253 << 250 << 250 << 1;
    }
    void outOfRangeSpeedByteIsClampedByTheScrollBar()
    {
        QFETCH(int, shown);
        QFETCH(int, recordSpeed);
        QFETCH(int, bound);
        QFETCH(int, recordAfter);
        QFETCH(int, transfers);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        fixture.child<QScrollBar>("ScrollBarSpeed")->setValue(shown);
        fixture.child<QCheckBox>("CheckBoxToBox")->setChecked(true);
        form.runRecord()[kSpeedIndex] = static_cast<std::uint8_t>(recordSpeed);
        form.PaintAll();
        QCOMPARE(fixture.child<QScrollBar>("ScrollBarSpeed")->value(), bound);
        QCOMPARE(int(form.runRecord()[kSpeedIndex]), recordAfter);
        QCOMPARE(fixture.recording.transfers.size(), transfers);
        QCOMPARE(fixture.child<QTimer>("TimerRun")->interval(), (255 - bound) * 10);
    }

    void outOfRangeChannelsAndLengthAreClampedByTheControls()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        form.runRecord()[kChannelCountIndex] = 200;
        form.runRecord()[kLengthIndex] = 255;
        form.PaintAll();
        QCOMPARE(form.gridView().channelCount, 4);
        QCOMPARE(form.gridView().length, 100);
        QCOMPARE(fixture.child<QLabel>("LabelLeng")->text(), QStringLiteral("100"));
        form.runRecord()[kChannelCountIndex] = 0;
        form.runRecord()[kLengthIndex] = 0;
        form.PaintAll();
        QCOMPARE(form.gridView().channelCount, 2);
        QCOMPARE(form.gridView().length, 4);
        for (int tick = 0; tick < 5; ++tick)
            form.TimerRunTimer();
        QCOMPARE(form.cursor().PlayStep, 1);
    }

    void upDownClicksMoveTheRecordWithinTheRange()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        auto* length = fixture.child<UpDown>("UpDownLeng");
        auto* channels = fixture.child<UpDown>("UpDownCh");
        form.runRecord()[7] = 0xA0;

        length->clickArrow(UpDown::Arrow::Down);
        QCOMPARE(int(form.runRecord()[kLengthIndex]), 7);
        QCOMPARE(fixture.child<QLabel>("LabelLeng")->text(), QStringLiteral("7"));
        length->clickArrow(UpDown::Arrow::Up);
        QCOMPARE(int(form.runRecord()[kLengthIndex]), 8);
        QCOMPARE(int(form.runRecord()[7]), 0xA0);
        QVERIFY(!fixture.child<QToolButton>("SpeedButtonUndo")->isEnabled());

        // A click at the end of the range moves nothing and calls nothing.
        form.runRecord()[kChannelCountIndex] = 9;
        channels->clickArrow(UpDown::Arrow::Up);
        QCOMPARE(int(form.runRecord()[kChannelCountIndex]), 9);
        channels->clickArrow(UpDown::Arrow::Down);
        QCOMPARE(int(form.runRecord()[kChannelCountIndex]), 3);
        QCOMPARE(fixture.child<QLabel>("LabelCh")->text(), QStringLiteral("3"));
    }

    void settingAnUpDownFromCodeIsSilent()
    {
        UpDown upDown(2, 4, 4);
        int clicks = 0;
        QObject::connect(&upDown, &UpDown::clicked, [&] { ++clicks; });
        upDown.setPosition(2);
        upDown.setPosition(9);
        QCOMPARE(upDown.position(), 4);
        QCOMPARE(clicks, 0);
        upDown.show();
        QTest::mouseClick(&upDown, Qt::LeftButton, {}, QPoint(7, 25));
        QCOMPARE(upDown.position(), 3);
        QCOMPARE(clicks, 1);
    }

    void statusMessagesShareOnePeriod()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        auto* timer = fixture.child<QTimer>("TimerStatus");
        QVERIFY(timer->isActive());
        QTest::qWait(400);
        form.StatusBarHelp(QStringLiteral("первое"));
        // The running period was not restarted (a coarse timer may run up to 5 % late).
        QVERIFY(timer->remainingTime() <= 3000 - 400 + 150);
        form.TimerStatusTimer();
        QCOMPARE(fixture.panel(3), QStringLiteral(" "));
        QVERIFY(!timer->isActive());
        form.StatusBarHelp(QStringLiteral("второе"));
        QVERIFY(timer->isActive());
        QCOMPARE(fixture.panel(3), QStringLiteral("второе"));
    }

    void firstVisibleStepMovesTheGrid()
    {
        FormFixture fixture;
        fixture.start();
        fixture.child<QScrollBar>("ScrollBarArea")->setValue(10);
        QCOMPARE(fixture.child<QLabel>("LabelScroll")->text(), QStringLiteral("11"));
        fixture.child<QScrollBar>("ScrollBarArea")->setValue(99);
        QCOMPARE(fixture.child<QLabel>("LabelScroll")->text(), QStringLiteral("71"));
    }

    void anIdleWindowStopsRepainting()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ItemStopClick();
        settle();
        PaintCounter counter;
        form.installEventFilter(&counter);
        form.update();
        settle();
        QVERIFY(counter.paints >= 1);
        const int afterOneRepaint = counter.paints;
        settle();
        QCOMPARE(counter.paints, afterOneRepaint);
    }
};

QTEST_MAIN(TestControls)
#include "tst_Controls.moc"
