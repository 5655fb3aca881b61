// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/PatternPainters.h"

#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// L, R, U, D: the arrows; S: Space; E: Enter.
void press(QWidget* widget, const QString& keys)
{
    for (const QChar key : keys) {
        static const QHash<QChar, Qt::Key> kKeys{{u'L', Qt::Key_Left},  {u'R', Qt::Key_Right},
                                                 {u'U', Qt::Key_Up},    {u'D', Qt::Key_Down},
                                                 {u'S', Qt::Key_Space}, {u'E', Qt::Key_Return}};
        QTest::keyClick(widget, kKeys.value(key));
    }
}

// Tabs from the window's first control until `name` has the focus; false if it never does.
bool tabTo(QWidget& window, const QString& name)
{
    for (int tab = 0; tab < 60; ++tab) {
        QWidget* focused = QApplication::focusWidget();
        if (focused && focused->objectName() == name)
            return true;
        QTest::keyClick(focused ? focused : &window, Qt::Key_Tab);
    }
    return false;
}

// The grid has the focus from the start: the tests of coming into it take the focus elsewhere
// first.
void leaveTheGrid(FormFixture& fixture)
{
    fixture.child<QWidget>("UpDownCh")->setFocus(Qt::TabFocusReason);
}

} // namespace

class TestGridKeyboard : public QObject {
    Q_OBJECT
private slots:
    void tabReachesTheControlsAndTheirKeys_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("atStart"); // has the focus from the start, without a Tab
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("channels down") << QStringLiteral("UpDownCh") << false << QStringLiteral("D")
                                       << QStringLiteral("LabelCh") << QStringLiteral("3");
        QTest::newRow("length up") << QStringLiteral("UpDownLeng") << false << QStringLiteral("U")
                                   << QStringLiteral("LabelLeng") << QStringLiteral("9");
        QTest::newRow("speed right")
            << QStringLiteral("ScrollBarSpeed") << false << QStringLiteral("R")
            << QStringLiteral("LabelSpeed") << QStringLiteral("Cкорость 231");
        QTest::newRow("speed left")
            << QStringLiteral("ScrollBarSpeed") << false << QStringLiteral("LL")
            << QStringLiteral("LabelSpeed") << QStringLiteral("Cкорость 228");
        QTest::newRow("grid right") << QStringLiteral("PaintBox") << false << QStringLiteral("R")
                                    << QStringLiteral("StatusPanel1") << QStringLiteral("Шаг 2");
        QTest::newRow("grid at the start, space lights the first cell")
            << QStringLiteral("PaintBox") << true << QStringLiteral("S")
            << QStringLiteral("StatusPanel1") << QStringLiteral("Шаг 1");
    }
    void tabReachesTheControlsAndTheirKeys()
    {
        QFETCH(QString, control);
        QFETCH(bool, atStart);
        QFETCH(QString, keys);
        QFETCH(QString, label);
        QFETCH(QString, text);
        FormFixture fixture;
        TMainForm* active = fixture.startActive();
        QVERIFY(active);
        TMainForm& form = *active;
        if (atStart) {
            QVERIFY(QApplication::focusWidget());
            QCOMPARE(QApplication::focusWidget()->objectName(), control);
            // Seen there: the first cell framed, the status panels and the hover as started.
            QCOMPARE(fixture.gridImage().pixelColor(0, 0), QColor(Qt::black));
            QCOMPARE(fixture.panel(1), QStringLiteral(" "));
            QCOMPARE(form.cursor().HoverStep, 100);
        } else {
            leaveTheGrid(fixture);
            QVERIFY(tabTo(form, control));
        }
        press(QApplication::focusWidget(), keys);
        QCOMPARE(form.findChild<QLabel*>(label)->text(), text);
        QVERIFY(fixture.prompts.questions.isEmpty());
        if (atStart)
            QCOMPARE(int(form.runRecord()[0]), 0x80);
    }

    void arrowsSpaceAndEnterWorkOnTheCursorCell_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("firstVisible"); // before the grid takes the focus
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("channel"); // panel 0 and 1 afterwards, counted from 1
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("firstVisibleAfter");
        QTest::addColumn<QByteArray>("steps"); // step bytes 0..3 afterwards
        QTest::addColumn<int>("marked");       // -1: nothing marked
        const QByteArray unchanged("\x00\x00\x00\x00", 4);
        QTest::newRow("enter shows the cursor")
            << 4 << 8 << 0 << QString() << 1 << 1 << 0 << unchanged << -1;
        QTest::newRow("right and down")
            << 4 << 8 << 0 << QStringLiteral("RRRDD") << 3 << 4 << 0 << unchanged << -1;
        QTest::newRow("stops at the first step and channel")
            << 4 << 8 << 0 << QStringLiteral("LLUU") << 1 << 1 << 0 << unchanged << -1;
        QTest::newRow("stops at the length")
            << 4 << 8 << 0 << QStringLiteral("RRRRRRRRRR") << 1 << 8 << 0 << unchanged << -1;
        QTest::newRow("stops at the channel count")
            << 2 << 8 << 0 << QStringLiteral("DDD") << 2 << 1 << 0 << unchanged << -1;
        QTest::newRow("scrolls right past the last whole column")
            << 4 << 100 << 0 << QString(36, u'R') << 1 << 37 << 1 << unchanged << -1;
        QTest::newRow("starts in the scrolled view and scrolls left")
            << 4 << 100 << 20 << QStringLiteral("L") << 1 << 20 << 19 << unchanged << -1;
        QTest::newRow("blank view comes back to the last step")
            << 4 << 8 << 10 << QStringLiteral("U") << 1 << 8 << 7 << unchanged << -1;
        QTest::newRow("space switches on and off")
            << 4 << 8 << 0 << QStringLiteral("RSDSRSS") << 2 << 3 << 0
            << QByteArray("\x00\xC0\x00\x00", 4) << -1;
        QTest::newRow("enter marks the cursor step")
            << 4 << 8 << 0 << QStringLiteral("RRDE") << 2 << 3 << 0 << unchanged << 2;
    }
    void arrowsSpaceAndEnterWorkOnTheCursorCell()
    {
        QFETCH(int, channels);
        QFETCH(int, length);
        QFETCH(int, firstVisible);
        QFETCH(QString, keys);
        QFETCH(int, channel);
        QFETCH(int, step);
        QFETCH(int, firstVisibleAfter);
        QFETCH(QByteArray, steps);
        QFETCH(int, marked);
        FormFixture fixture;
        TMainForm* active = fixture.startActive();
        QVERIFY(active);
        TMainForm& form = *active;
        form.runRecord()[kChannelCountIndex] = static_cast<std::uint8_t>(channels);
        form.runRecord()[kLengthIndex] = static_cast<std::uint8_t>(length);
        form.PaintAll();
        auto* area = fixture.child<QScrollBar>("ScrollBarArea");
        leaveTheGrid(fixture);
        area->setValue(firstVisible);
        auto* grid = fixture.child<QWidget>("PaintBox");
        grid->setFocus(Qt::TabFocusReason);

        press(grid, keys);
        QCOMPARE(fixture.panel(0), QStringLiteral("Канал %1").arg(channel));
        QCOMPARE(fixture.panel(1), QStringLiteral("Шаг %1").arg(step));
        QCOMPARE(form.cursor().HoverStep, step - 1);
        QCOMPARE(area->value(), firstVisibleAfter);
        for (int index = 0; index < steps.size(); ++index)
            QCOMPARE(int(form.runRecord()[static_cast<std::size_t>(index)]),
                     int(std::uint8_t(steps[index])));
        QVERIFY(!fixture.child<QToolButton>("SpeedButtonUndo")->isEnabled());
        QCOMPARE(form.cursor().MarkedStep, marked < 0 ? 100 : marked);
        QCOMPARE(fixture.panel(2),
                 marked < 0 ? QStringLiteral(" ") : QStringLiteral("Ins %1").arg(marked + 1));
        if (marked >= 0)
            QCOMPARE(fixture.child<QToolButton>("SpeedButtonDelete")->toolTip(),
                     QStringLiteral("Удалить шаг %1").arg(marked + 1));
    }

    // Without the focus the grid is exactly the pattern painted alone; with it, only the
    // cursor's cell differs, framed in black.
    void cursorIsDrawnOnlyWithTheFocus()
    {
        FormFixture fixture;
        TMainForm* active = fixture.startActive();
        QVERIFY(active);
        TMainForm& form = *active;
        for (int step = 0; step < 8; ++step)
            form.runRecord()[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>(step << 4);
        form.PaintAll();
        leaveTheGrid(fixture);
        auto* grid = fixture.child<QWidget>("PaintBox");
        QImage alone(grid->size(), QImage::Format_RGB32);
        QPainter painter(&alone);
        paintGrid(painter, alone.size(), form.runRecord(), form.gridView(),
                  form.palette().color(QPalette::Button));
        painter.end();
        QCOMPARE(fixture.gridImage(), alone);

        grid->setFocus(Qt::TabFocusReason);
        press(grid, QStringLiteral("RRD"));
        const QImage focused = fixture.gridImage();
        const QRect cell = cellRect(2, 1);
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if (!cell.contains(x, y))
                    QCOMPARE(focused.pixel(x, y), alone.pixel(x, y));
        for (const QPoint& edge :
             {cell.topLeft(), cell.bottomRight(), cell.topLeft() + QPoint(1, 7)})
            QCOMPARE(focused.pixelColor(edge), QColor(Qt::black));
        QCOMPARE(focused.pixel(cell.center()), alone.pixel(cell.center()));

        fixture.child<QWidget>("UpDownCh")->setFocus(Qt::TabFocusReason);
        QCOMPARE(fixture.gridImage(), alone);
    }

    // The view follows the cursor to the last step of the longest pattern, however narrow the
    // window; the bar, scrolled to its end, shows it too. Its range follows the width both ways:
    // widened, the window is back to the design's 0..70, and narrowed again, the range grows again.
    void viewFollowsTheCursorToTheLastStep_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("widened"); // 0: stays as wide
        for (const int width : {200, 300, 450, 590, 1000})
            QTest::addRow("%d pixels wide", width) << width << 0;
        QTest::newRow("300 pixels wide, widened to 590 and narrowed again") << 300 << 590;
    }
    void viewFollowsTheCursorToTheLastStep()
    {
        QFETCH(int, width);
        QFETCH(int, widened);
        FormFixture fixture;
        TMainForm* active = fixture.startActive();
        QVERIFY(active);
        TMainForm& form = *active;
        form.resize(width, form.height());
        form.runRecord()[kLengthIndex] = 100;
        form.PaintAll();
        auto* grid = fixture.child<QWidget>("PaintBox");
        QTRY_COMPARE(grid->width(), width);
        auto* area = fixture.child<QScrollBar>("ScrollBarArea");
        grid->setFocus(Qt::TabFocusReason);

        press(grid, QString(99, u'R'));
        QCOMPARE(fixture.panel(1), QStringLiteral("Шаг 100"));
        const auto shown = [&](int step) {
            const int left = (step - area->value()) * kGridPitch;
            return left >= 0 && left + kCellSize <= grid->width();
        };
        QVERIFY2(shown(99), qPrintable(QStringLiteral("view from %1").arg(area->value() + 1)));
        const QImage image = fixture.gridImage();
        const QRect cell = cellRect(99 - area->value(), 0);
        QCOMPARE(image.pixelColor(cell.topLeft()), QColor(Qt::black));
        QCOMPARE(image.pixelColor(cell.bottomRight()), QColor(Qt::black));

        area->setValue(0);
        area->setValue(area->maximum());
        QVERIFY(shown(99));
        QCOMPARE(area->maximum(), std::max(70, 100 - wholeColumns(width)));
        if (widened == 0)
            return;

        form.resize(widened, form.height());
        QTRY_COMPARE(grid->width(), widened);
        QCOMPARE(area->maximum(), 70);
        QCOMPARE(area->value(), 70);
        QCOMPARE(fixture.child<QLabel>("LabelScroll")->text(), QStringLiteral("71"));
        QVERIFY(shown(99));
        form.resize(width, form.height());
        QTRY_COMPARE(grid->width(), width);
        QCOMPARE(area->maximum(), 100 - wholeColumns(width));
        area->setValue(area->maximum());
        QVERIFY(shown(99));
    }

    // Each control that Tab reaches shows that it has the focus, and looks as it always did
    // once the focus has gone.
    void focusIsSeenOnlyWhereItIs_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("speed bar") << QStringLiteral("ScrollBarSpeed");
        QTest::newRow("grid") << QStringLiteral("PaintBox");
    }
    void focusIsSeenOnlyWhereItIs()
    {
        QFETCH(QString, control);
        FormFixture fixture;
        TMainForm* active = fixture.startActive();
        QVERIFY(active);
        TMainForm& form = *active;
        auto* shown = form.findChild<QWidget*>(control);
        QVERIFY(shown);
        leaveTheGrid(fixture);
        const auto look = [&] {
            return shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage before = look();
        QVERIFY(tabTo(form, control));
        const QImage focused = look();
        int marked = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                marked += focused.pixel(x, y) != before.pixel(x, y);
        QVERIFY2(marked >= 8, qPrintable(QStringLiteral("%1 pixels differ").arg(marked)));
        QTest::keyClick(shown, Qt::Key_Tab);
        QVERIFY(!shown->hasFocus());
        QCOMPARE(look(), before);
    }

    // Only Tab brings the focus back: a mouse user's click draws as ever and shows no cursor.
    void clickingTheGridLeavesTheFocus()
    {
        FormFixture fixture;
        TMainForm* active = fixture.startActive();
        QVERIFY(active);
        TMainForm& form = *active;
        leaveTheGrid(fixture);
        auto* grid = fixture.child<QWidget>("PaintBox");
        QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!grid->hasFocus());
        QCOMPARE(int(form.runRecord()[0]), 0x80);
    }
};

QTEST_MAIN(TestGridKeyboard)
#include "tst_GridKeyboard.moc"
