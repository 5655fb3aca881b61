// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/GridGeometry.h"
#include "ui/LampColours.h"

#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

QColor cellColour(const QImage& image, int column, int row)
{
    return image.pixelColor(16 * column + 7, 16 * row + 7);
}

void setControls(FormFixture& fixture, int channels, int length, int firstVisible)
{
    RunRecord& record = fixture.form().runRecord();
    record[kChannelCountIndex] = static_cast<std::uint8_t>(channels);
    record[kLengthIndex] = static_cast<std::uint8_t>(length);
    fixture.form().PaintAll();
    fixture.child<QScrollBar>("ScrollBarArea")->setValue(firstVisible);
}

} // namespace

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void drawsVisibleStepsOfActiveChannels_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("firstVisible");
        for (const int channels : {2, 3, 4})
            for (const int length : {8, 20, 100})
                for (const int first : {0, 10, 70})
                    QTest::addRow("ch%d-len%d-from%d", channels, length, first)
                        << channels << length << first;
    }
    void drawsVisibleStepsOfActiveChannels()
    {
        QFETCH(int, channels);
        QFETCH(int, length);
        QFETCH(int, firstVisible);
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        // Every step lights a different mix, low bits included, which must never show.
        for (int step = 0; step < kStepCount; ++step)
            form.runRecord()[static_cast<std::size_t>(step)] =
                static_cast<std::uint8_t>((step * 37) | 0x0F);
        setControls(fixture, channels, length, firstVisible);

        const QImage image = fixture.gridImage();
        const QColor face = form.palette().color(QPalette::Button);
        QCOMPARE(image.width(), 590);
        const int wholeColumns = 590 / 16;
        for (int column = 0; column < wholeColumns; ++column) {
            const int step = firstVisible + column;
            for (int row = 0; row < 5; ++row) {
                const std::uint8_t stepByte = form.runRecord()[static_cast<std::size_t>(step)];
                QColor expected = face;
                if (step < length && row < channels)
                    expected = (stepByte & (0x80 >> row)) ? kLampLit : kLampDark;
                QCOMPARE(cellColour(image, column, row), expected);
            }
            // The one-pixel gaps show the background.
            QCOMPARE(image.pixelColor(16 * column + 15, 3), face);
        }
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("LabelScroll"))->text(),
                 QString::number(firstVisible + 1));
    }

    void drawsAllColumnsWhenWide()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.resize(830, form.height());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.runRecord().fill(0x80);
        setControls(fixture, 4, 100, 0);
        const QImage image = fixture.gridImage();
        QCOMPARE(cellColour(image, 50, 0), kLampLit);
        QCOMPARE(cellColour(image, 50, 1), kLampDark);
        QCOMPARE(image.pixelColor(16 * 51 + 3, 3), form.palette().color(QPalette::Button));
    }

    void hitTestTruncatesTowardZero_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("step"); // -1: no active cell
        QTest::addColumn<int>("channel");
        QTest::newRow("first cell") << 0 << 0 << 0 << 0;
        QTest::newRow("gap belongs to the cell before") << 15 << 15 << 0 << 0;
        QTest::newRow("15 px left of the grid") << -15 << 5 << 0 << 0;
        QTest::newRow("16 px left of the grid") << -16 << 5 << -1 << 0;
        QTest::newRow("15 px above the grid") << 5 << -15 << 0 << 0;
        QTest::newRow("16 px above the grid") << 5 << -16 << -1 << 0;
        QTest::newRow("last step of length 8") << 120 << 20 << 7 << 1;
        QTest::newRow("column 8 at length 8") << 130 << 20 << -1 << 0;
        QTest::newRow("row 3 with 4 channels") << 40 << 63 << 2 << 3;
        QTest::newRow("row 4 is never active") << 40 << 64 << -1 << 0;
    }
    void hitTestTruncatesTowardZero()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, step);
        QFETCH(int, channel);
        const auto hit = hitTest(GridView{4, 8, 0}, x, y);
        QCOMPARE(hit.has_value(), step >= 0);
        if (hit) {
            QCOMPARE(hit->step, step);
            QCOMPARE(hit->channel, channel);
        }
    }

    void hitTestFollowsChannelsAndFirstVisibleStep()
    {
        QVERIFY(!hitTest(GridView{2, 8, 0}, 20, 40)); // row 2 hidden with two channels
        QCOMPARE(hitTest(GridView{3, 8, 0}, 20, 40)->channel, 2);
        QCOMPARE(hitTest(GridView{4, 20, 10}, 3 * 16, 0)->step, 13);
        QVERIFY(!hitTest(GridView{4, 20, 10}, 12 * 16, 0)); // step 22
        QVERIFY(!hitTest(GridView{4, 8, 70}, 0, 0));
    }

    void pressesSwitchCellsOnAndOff()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        const RunRecord before = form.runRecord();
        form.PaintBoxMouseDown(Qt::LeftButton, 130, 20); // column 8 lies beyond the length
        QCOMPARE(form.runRecord(), before);
        form.PaintBoxMouseUp();
        form.PaintBoxMouseDown(Qt::LeftButton, 120, 20);
        QCOMPARE(form.runRecord()[7], 0x40);
        QCOMPARE(form.cursor().DrawMode, 1);
        form.PaintBoxMouseUp();
        QCOMPARE(form.cursor().DrawMode, 0);
        form.PaintBoxMouseDown(Qt::RightButton, 120, 20);
        QCOMPARE(form.runRecord()[7], 0x00);
        QCOMPARE(form.cursor().DrawMode, 2);
        form.PaintBoxMouseDown(Qt::MiddleButton, 120, 20);
        QCOMPARE(form.cursor().DrawMode, 0);
    }

    void dragsWithBothButtonsThroughRealEvents()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* grid = fixture.child<QWidget>("PaintBox");

        QTest::mousePress(grid, Qt::LeftButton, {}, QPoint(2 * 16 + 4, 4));
        for (const int step : {3, 4, 6})
            QTest::mouseMove(grid, QPoint(step * 16 + 4, 4));
        QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(6 * 16 + 4, 4));
        const std::array<std::uint8_t, 8> drawn{0, 0, 0x80, 0x80, 0x80, 0, 0x80, 0};
        for (std::size_t step = 0; step < drawn.size(); ++step)
            QCOMPARE(form.runRecord()[step], drawn[step]);
        QCOMPARE(cellColour(fixture.gridImage(), 4, 0), kLampLit);
        QCOMPARE(fixture.panel(1), QStringLiteral("Шаг 7"));
        QCOMPARE(fixture.panel(0), QStringLiteral("Канал 1"));

        QTest::mousePress(grid, Qt::RightButton, {}, QPoint(2 * 16 + 4, 4));
        QTest::mouseMove(grid, QPoint(3 * 16 + 4, 4));
        // Released outside the grid: the grid holds the pointer, so the drag ends there.
        QTest::mouseRelease(grid, Qt::RightButton, {}, QPoint(-200, 200));
        QCOMPARE(form.cursor().DrawMode, 0);
        QTest::mouseMove(grid, QPoint(4 * 16 + 4, 4));
        QCOMPARE(form.runRecord()[2], 0x00);
        QCOMPARE(form.runRecord()[3], 0x00);
        QCOMPARE(form.runRecord()[4], 0x80);
    }

    void movesOutsideActiveCellsKeepThePanels()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.runRecord()[kLengthIndex] = 20;
        form.PaintAll();
        fixture.child<QScrollBar>("ScrollBarArea")->setValue(10);
        form.PaintBoxMouseMove(3 * 16 + 2, 2);
        QCOMPARE(fixture.panel(0), QStringLiteral("Канал 1"));
        QCOMPARE(fixture.panel(1), QStringLiteral("Шаг 14"));
        form.PaintBoxMouseMove(12 * 16 + 2, 2);
        QCOMPARE(fixture.panel(1), QStringLiteral("Шаг 14"));
        QCOMPARE(form.cursor().HoverStep, 13);
        QCOMPARE(fixture.panel(3),
                 QStringLiteral(
                     "Левая кнопка мышки - включить канал в текущеи шаге, правая - выключить"));
    }

    void doubleClickMarksTheHoveredStep()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* grid = fixture.child<QWidget>("PaintBox");
        QTest::mouseMove(grid, QPoint(72, 24));
        QTest::mouseDClick(grid, Qt::LeftButton, {}, QPoint(72, 24));
        QCOMPARE(form.runRecord()[4], 0x40);
        QCOMPARE(form.cursor().MarkedStep, 4);
        QCOMPARE(fixture.panel(2), QStringLiteral("Ins 5"));
        QCOMPARE(fixture.child<QToolButton>("SpeedButtonDelete")->toolTip(),
                 QStringLiteral("Удалить шаг 5"));
        QCOMPARE(fixture.child<QToolButton>("SpeedButtonInsert")->toolTip(),
                 QStringLiteral("Вставить шаг 5"));
    }

    void doubleClickBeforeAnyHoverMarksTheInitialStep()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        form.PaintBoxDblClick();
        QCOMPARE(form.cursor().MarkedStep, 100);
        QCOMPARE(fixture.panel(2), QStringLiteral("Ins 101"));
        QCOMPARE(fixture.panel(3), QStringLiteral("Отмечен шаг для удаления или добавления"));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_Grid.moc"
