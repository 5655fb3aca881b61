// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/LampColours.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

QImage stripImage(FormFixture& fixture)
{
    return fixture.child<QWidget>("PaintBoxRun")->grab().toImage();
}

QString stepLabel(FormFixture& fixture)
{
    return fixture.child<QLabel>("LabelStep")->text();
}

} // namespace

class TestStrip : public QObject {
    Q_OBJECT
private slots:
    void lampsFollowTheChannelBits_data()
    {
        QTest::addColumn<int>("stepByte");
        QTest::newRow("channel 1") << 0x80;
        QTest::newRow("channel 4") << 0x10;
        QTest::newRow("all four") << 0xF0;
        QTest::newRow("none") << 0x00;
        QTest::newRow("end marker") << 0x01;
        QTest::newRow("low bits light nothing") << 0x5F;
    }
    void lampsFollowTheChannelBits()
    {
        QFETCH(int, stepByte);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.resize(840, form.height());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.PaintRun(static_cast<std::uint8_t>(stepByte));
        const QImage image = stripImage(fixture);
        for (int group = 0; group < 13; ++group) {
            for (int lamp = 0; lamp < 4; ++lamp) {
                const QColor expected = (stepByte & (0x80 >> lamp)) ? kLampLit : kLampDark;
                const int left = 64 * group + 16 * lamp;
                QCOMPARE(image.pixelColor(left, 0), expected);
                QCOMPARE(image.pixelColor(left + 14, 15), expected);
            }
        }
        // Row 16 and the gaps are never painted by a step.
        QCOMPARE(image.pixelColor(5, 16), form.palette().color(QPalette::Button));
        QCOMPARE(image.pixelColor(15, 5), form.palette().color(QPalette::Button));
    }

    void ticksRunThroughTheLengthAndWrap()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.runRecord()[3] = 0x80;
        QStringList labels;
        for (int tick = 0; tick < 9; ++tick) {
            form.TimerRunTimer();
            labels << stepLabel(fixture);
        }
        QCOMPARE(labels, QStringList({QStringLiteral("Шаг = 1"), QStringLiteral("Шаг = 2"),
                                      QStringLiteral("Шаг = 3"), QStringLiteral("Шаг = 4"),
                                      QStringLiteral("Шаг = 5"), QStringLiteral("Шаг = 6"),
                                      QStringLiteral("Шаг = 7"), QStringLiteral("Шаг = 8"),
                                      QStringLiteral("Шаг = 1")}));
        QCOMPARE(form.cursor().PlayStep, 1);
    }

    void shorterLengthTakesEffectAfterTheDueStep()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.runRecord()[kLengthIndex] = 100;
        form.PaintAll();
        form.cursor().PlayStep = 50;
        form.runRecord()[kLengthIndex] = 8;
        form.PaintAll();
        form.TimerRunTimer();
        QCOMPARE(stepLabel(fixture), QStringLiteral("Шаг = 51"));
        form.TimerRunTimer();
        QCOMPARE(stepLabel(fixture), QStringLiteral("Шаг = 1"));
    }

    void stopKeepsTheStepOnShowAndPlayResumes()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.runRecord()[0] = 0x80;
        form.runRecord()[1] = 0x40;
        form.runRecord()[2] = 0x20;
        form.TimerRunTimer(); // shows step 0, next is 1
        auto* play = fixture.child<QToolButton>("SpeedButtonPlay");
        QVERIFY(play->isChecked());

        fixture.child<QAction>("ItemStop")->trigger();
        QVERIFY(!play->isChecked());
        QCOMPARE(stripImage(fixture).pixelColor(16 + 3, 3), kLampLit); // step 1 drawn at once
        QCOMPARE(stepLabel(fixture), QStringLiteral("Шаг = 1"));
        form.TimerRunTimer();
        QCOMPARE(form.cursor().PlayStep, 1);
        QCOMPARE(stepLabel(fixture), QStringLiteral("Шаг = 1"));
        QCOMPARE(stripImage(fixture).pixelColor(16 + 3, 3), kLampLit);

        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(play->isChecked());
        form.TimerRunTimer();
        QCOMPARE(stepLabel(fixture), QStringLiteral("Шаг = 2"));
        QCOMPARE(form.cursor().PlayStep, 2);
        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(!play->isChecked());
        fixture.child<QAction>("ItemPlay")->trigger();
        QVERIFY(play->isChecked());
        QCOMPARE(stripImage(fixture).pixelColor(32 + 3, 3), kLampLit);
    }

    void periodFollowsTheSpeed_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("period");
        QTest::newRow("slowest") << 5 << 2500;
        QTest::newRow("design") << 230 << 250;
        QTest::newRow("fastest") << 250 << 50;
    }
    void periodFollowsTheSpeed()
    {
        QFETCH(int, speed);
        QFETCH(int, period);
        FormFixture fixture;
        fixture.start();
        auto* timer = fixture.child<QTimer>("TimerRun");
        fixture.child<QScrollBar>("ScrollBarSpeed")->setValue(speed);
        QCOMPARE(timer->interval(), period);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QVERIFY(timer->isActive());
    }

    void anUnchangedPeriodDoesNotRestartTheTimer()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        auto* timer = fixture.child<QTimer>("TimerRun");
        auto* speed = fixture.child<QScrollBar>("ScrollBarSpeed");
        speed->setValue(5);
        QTest::qWait(60); // let part of the 2500 ms period run out
        form.PaintAll();
        QVERIFY(timer->remainingTime() <= 2500 - 50);
        speed->setValue(6);
        QCOMPARE(timer->interval(), 2490);
        QVERIFY(timer->remainingTime() > 2000); // a fresh period
    }
};

QTEST_MAIN(TestStrip)
#include "tst_Strip.moc"
