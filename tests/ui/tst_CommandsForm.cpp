// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "model/Presets.h"
#include "model/RandomDraw.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

void press(FormFixture& fixture, const char* name)
{
    auto* button = fixture.child<QToolButton>(name);
    QVERIFY2(button, name);
    button->click();
}

std::vector<int> steps(const RunRecord& record, int count)
{
    return {record.begin(), record.begin() + count};
}

} // namespace

class TestCommandsForm : public QObject {
    Q_OBJECT
private slots:
    void commandsFrameTheModel_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("snapshot");
        QTest::addColumn<int>("firstStepAfter"); // step 0 held 0x81, step 7 held 0x10
        const auto row = [](const char* button, const char* item, const QString& message,
                            bool snapshot, int after) {
            QTest::newRow(button) << QString::fromLatin1(button) << QString::fromLatin1(item)
                                  << message << snapshot << after;
        };
        row("SpeedButtonClearAll", "", QStringLiteral("Очистка рабочего пространства..."), true,
            0x00);
        row("SpeedButtonFillAll", "", QStringLiteral("Заполнение рабочего пространства..."), true,
            0xF0);
        row("SpeedButtonInvers", "itemField", QStringLiteral("Инвертируем яркость"), true, 0x7E);
        row("SpeedButtonDelete", "", QStringLiteral("Удалить шаг "), true, 0x81);
        row("SpeedButtonInsert", "", QStringLiteral("Добавить шаг"), true, 0x81);
        row("SpeedButtonSplash", "itemStep", QStringLiteral("Обмен местами передние-задние"), false,
            0x10);
        row("SpeedButtonRotateCh", "itemRotat", QStringLiteral("Обмен каналов"), false, 0x10);
    }
    void commandsFrameTheModel()
    {
        QFETCH(QString, button);
        QFETCH(QString, menuItem);
        QFETCH(QString, message);
        QFETCH(bool, snapshot);
        QFETCH(int, firstStepAfter);
        for (const bool fromMenu : {false, true}) {
            if (fromMenu && menuItem.isEmpty())
                continue;
            FormFixture fixture;
            TMainForm& form = fixture.start();
            form.runRecord()[0] = 0x81;
            form.runRecord()[7] = 0x10;
            const RunRecord before = form.runRecord();
            if (fromMenu)
                form.findChild<QAction*>(menuItem)->trigger();
            else
                form.findChild<QToolButton*>(button)->click();
            QCOMPARE(int(form.runRecord()[0]), firstStepAfter);
            QCOMPARE(fixture.panel(3), message);
            QCOMPARE(fixture.child<QToolButton>("SpeedButtonUndo")->isEnabled(), snapshot);
            if (snapshot)
                QCOMPARE(form.undoRecord(), before);
        }
    }

    void markedStepDrivesDeleteAndInsert()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        for (int step = 0; step < 8; ++step)
            form.runRecord()[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>(step << 4);
        form.PaintBoxMouseMove(2 * 16 + 1, 1);
        form.PaintBoxDblClick();
        press(fixture, "SpeedButtonInsert");
        QCOMPARE(steps(form.runRecord(), 9),
                 (std::vector<int>{0x00, 0x10, 0x20, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}));
        press(fixture, "SpeedButtonDelete");
        QCOMPARE(steps(form.runRecord(), 8),
                 (std::vector<int>{0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}));
    }

    void gridOnlyCommandsLeaveLabelsAndStripUntilTheNextRepaint()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.runRecord().fill(0x80);
        form.PaintAll();
        auto* strip = fixture.child<QWidget>("PaintBoxRun");
        const QColor lit = strip->grab().toImage().pixelColor(3, 3);
        press(fixture, "SpeedButtonClearAll");
        QCOMPARE(strip->grab().toImage().pixelColor(3, 3), lit);
        form.PaintAll();
        QVERIFY(strip->grab().toImage().pixelColor(3, 3) != lit);
    }

    void reverseStaysInsideTheStepsForAForeignLength()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.runRecord()[0] = 0x80;
        form.runRecord()[99] = 0x10;
        form.runRecord()[100] = 0x20;
        form.runRecord()[kLengthIndex] = 255;
        form.runRecord()[kTailSlot] = 0x33;
        press(fixture, "SpeedButtonSplash");
        // Reversed as the 100 steps the window shows for such a length.
        QCOMPARE(int(form.runRecord()[0]), 0x10);
        QCOMPARE(int(form.runRecord()[99]), 0x80);
        QCOMPARE(int(form.runRecord()[100]), 0x20);
        QCOMPARE(int(form.runRecord()[kTailSlot]), 0x33);
        QCOMPARE(form.gridView().length, 100);
    }

    void presetsFillTheRecordAndNameIt_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("length");
        QTest::newRow("4-1") << QStringLiteral("SpeedButtonRun4_1") << QStringLiteral("item4_1")
                             << 4 << 8;
        QTest::newRow("4Np") << QStringLiteral("SpeedButtonRunNap4") << QStringLiteral("item4_N")
                             << 4 << 5;
        QTest::newRow("3-2") << QStringLiteral("SpeedButtonRun3_2") << QStringLiteral("item3_2")
                             << 3 << 6;
        QTest::newRow("2C") << QStringLiteral("SpeedButtonMeandr2") << QStringLiteral("") << 2 << 4;
        QTest::newRow("ST") << QStringLiteral("SpeedButtonST") << QStringLiteral("") << 4 << 16;
        QTest::newRow("VS") << QStringLiteral("SpeedButtonVs") << QStringLiteral("") << 4 << 24;
    }
    void presetsFillTheRecordAndNameIt()
    {
        QFETCH(QString, button);
        QFETCH(QString, menuItem);
        QFETCH(int, channels);
        QFETCH(int, length);
        for (const bool fromMenu : {false, true}) {
            if (fromMenu && menuItem.isEmpty())
                continue;
            FormFixture fixture;
            TMainForm& form = fixture.start();
            form.runRecord()[0] = 0x55;
            form.runRecord()[kSpeedIndex] = 100;
            form.PaintAll();
            fixture.child<QScrollBar>("ScrollBarArea")->setValue(30);
            const RunRecord before = form.runRecord();
            if (fromMenu)
                form.findChild<QAction*>(menuItem)->trigger();
            else
                form.findChild<QToolButton*>(button)->click();
            QCOMPARE(int(form.runRecord()[kChannelCountIndex]), channels);
            QCOMPARE(int(form.runRecord()[kLengthIndex]), length);
            QCOMPARE(int(form.runRecord()[kSpeedIndex]), 100);
            QCOMPARE(fixture.child<QScrollBar>("ScrollBarArea")->value(), 0);
            QCOMPARE(fixture.child<QLabel>("LabelLeng")->text(), QString::number(length));
            QCOMPARE(fixture.child<QLabel>("LabelCh")->text(), QString::number(channels));
            QCOMPARE(form.windowTitle(),
                     QStringLiteral("Эмулятор релейной бегушки: ") + dotted("User001.zvk"));
            form.SpeedButtonUndoClick();
            QCOMPARE(form.runRecord(), before);
            QCOMPARE(form.gridView().length, 8);
            QCOMPARE(form.windowTitle(),
                     QStringLiteral("Эмулятор релейной бегушки: ") + dotted("User001.zvk"));
        }
    }

    void randomPresetsRepeatAfterARestart()
    {
        const auto firstRnd = [] {
            FormFixture fixture;
            TMainForm& form = fixture.start();
            press(fixture, "SpeedButtonRnd");
            const std::vector<int> first = steps(form.runRecord(), 8);
            press(fixture, "SpeedButtonRnd");
            return std::pair{first, steps(form.runRecord(), 8)};
        };
        const auto [first, second] = firstRnd();
        // Rnd's steps are the generator's first draws, as a fresh one gives them.
        RandomDraw fresh;
        std::vector<int> drawn;
        for (int step = 0; step < 8; ++step)
            drawn.push_back(fresh(255));
        QCOMPARE(first, drawn);
        QVERIFY(second != first);
        QCOMPARE(firstRnd().first, first);
    }
};

QTEST_MAIN(TestCommandsForm)
#include "tst_CommandsForm.moc"
