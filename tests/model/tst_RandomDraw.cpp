// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RandomDraw.h"

#include <QTest>

#include <algorithm>

using namespace zorvikta;

class TestRandomDraw : public QObject {
    Q_OBJECT

private slots:
    void sequence_data()
    {
        QTest::addColumn<quint32>("startState");
        QTest::addColumn<int>("range");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<quint32>("endState");

        QTest::newRow("program start, range 255")
            << 0u << 255 << QList<int>{0, 8, 219, 51, 69, 171, 81, 41} << 694906232u;
        QTest::newRow("program start, range 100")
            << 0u << 100 << QList<int>{0, 3, 86} << 3698175007u;
        QTest::newRow("range 1") << 0u << 1 << QList<int>{0, 0, 0, 0} << 870078620u;
        QTest::newRow("state wraps at 2^32")
            << 0xFFFFFFFFu << 1000 << QList<int>{968} << 4160191484u;
        QTest::newRow("largest range")
            << 0xFFFFFFFFu << 2147483647 << QList<int>{2080095741} << 4160191484u;
    }

    void sequence()
    {
        QFETCH(quint32, startState);
        QFETCH(int, range);
        QFETCH(QList<int>, values);
        QFETCH(quint32, endState);

        RandomDraw draw;
        draw.RandomState = startState;
        QList<int> drawn;
        for (qsizetype i = 0; i < values.size(); ++i)
            drawn.append(draw(range));

        QCOMPARE(drawn, values);
        QCOMPARE(draw.RandomState, endState);
    }

    void coversRange_data()
    {
        QTest::addColumn<int>("range");
        QTest::newRow("255") << 255;
        QTest::newRow("100") << 100;
        QTest::newRow("2") << 2;
    }

    // 0..range-1 and nothing else: with range 255 the byte 0xFF never occurs.
    void coversRange()
    {
        QFETCH(int, range);

        RandomDraw draw;
        int lowest = range;
        int highest = -1;
        for (int i = 0; i < 200000; ++i) {
            const int value = draw(range);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
        QCOMPARE(lowest, 0);
        QCOMPARE(highest, range - 1);
    }
};

QTEST_MAIN(TestRandomDraw)
#include "tst_RandomDraw.moc"
