// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowCascade.h"

#include <QTest>

using namespace zorvikta;

class TestWindowCascade : public QObject {
    Q_OBJECT
private slots:
    void furtherInstancesStepOn_data()
    {
        QTest::addColumn<QList<QPoint>>("taken");
        QTest::addColumn<int>("step");
        QTest::addColumn<QPoint>("expected");
        const QPoint designed(161, 113);
        QTest::newRow("the first") << QList<QPoint>{} << 30 << designed;
        QTest::newRow("the second") << QList<QPoint>{designed} << 30 << QPoint(191, 143);
        QTest::newRow("the third, others in any order")
            << QList<QPoint>{QPoint(191, 143), designed} << 30 << QPoint(221, 173);
        QTest::newRow("a pixel off after another ratio")
            << QList<QPoint>{QPoint(162, 112)} << 30 << QPoint(191, 143);
        QTest::newRow("one moved away by the user")
            << QList<QPoint>{QPoint(400, 300)} << 30 << designed;
        QTest::newRow("a gap in the cascade is filled")
            << QList<QPoint>{QPoint(191, 143)} << 30 << designed;
        QTest::newRow("a system that places windows itself")
            << QList<QPoint>{designed} << 0 << designed;
    }
    void furtherInstancesStepOn()
    {
        QFETCH(QList<QPoint>, taken);
        QFETCH(int, step);
        QFETCH(QPoint, expected);
        QCOMPARE(cascadedPosition(QPoint(161, 113), taken, step), expected);
    }
};

QTEST_MAIN(TestWindowCascade)
#include "tst_WindowCascade.moc"
