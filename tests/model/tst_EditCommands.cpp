// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordBytes.h"
#include "model/EditCommands.h"

#include <QTest>

#include <algorithm>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

enum Command : int {
    ClearAll,
    FillAll,
    Invert,
    DeleteStep,
    InsertStep,
    ReverseSteps,
    SwapChannels
};

void apply(int command, RunRecord& record, std::int32_t mark)
{
    switch (command) {
    case ClearAll:
        clearAll(record);
        break;
    case FillAll:
        fillAll(record);
        break;
    case Invert:
        invert(record);
        break;
    case DeleteStep:
        deleteStep(record, mark);
        break;
    case InsertStep:
        insertStep(record, mark);
        break;
    case ReverseSteps:
        reverseSteps(record);
        break;
    case SwapChannels:
        swapChannels(record);
        break;
    }
}

} // namespace

class TestEditCommands : public QObject {
    Q_OBJECT

private slots:
    void untouchedFields_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("lengthByte");
        QTest::addColumn<bool>("tailTakesStep120");

        QTest::newRow("clear all") << int(ClearAll) << 100 << 8 << false;
        QTest::newRow("fill all") << int(FillAll) << 100 << 8 << false;
        QTest::newRow("invert") << int(Invert) << 100 << 8 << false;
        QTest::newRow("swap channels") << int(SwapChannels) << 100 << 8 << false;
        QTest::newRow("reverse, length 8") << int(ReverseSteps) << 100 << 8 << false;
        QTest::newRow("reverse, length byte 0") << int(ReverseSteps) << 100 << 0 << false;
        QTest::newRow("reverse, length byte 255") << int(ReverseSteps) << 100 << 255 << false;
        for (const int mark : {0, 57, 100, 120, -1, 121, 1000}) {
            QTest::addRow("delete at %d", mark) << int(DeleteStep) << mark << 8 << false;
            const bool inside = mark >= 0 && mark <= 120;
            QTest::addRow("insert at %d", mark) << int(InsertStep) << mark << 8 << inside;
        }
    }

    void untouchedFields()
    {
        QFETCH(int, command);
        QFETCH(int, mark);
        QFETCH(int, lengthByte);
        QFETCH(bool, tailTakesStep120);

        RunRecord record = distinctRecord();
        record[kLengthIndex] = static_cast<std::uint8_t>(lengthByte);
        const RunRecord before = record;

        apply(command, record, mark);

        QCOMPARE(hexBytes(record, kReservedFirst, kRecordSize),
                 hexBytes(before, kReservedFirst, kRecordSize));
        QCOMPARE(record[kTailSlot], tailTakesStep120 ? before[120] : before[kTailSlot]);
    }

    // Every step holds the same byte, so steps beyond the length and channels above the count
    // (the record has 2) are covered as much as the visible ones.
    void uniformSteps_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");

        QTest::newRow("clear all, F5") << int(ClearAll) << 0xF5 << 0x00;
        QTest::newRow("fill all, 00") << int(FillAll) << 0x00 << 0xF0;
        QTest::newRow("fill all, end marker") << int(FillAll) << 0x01 << 0xF0;
        QTest::newRow("fill all, 0F") << int(FillAll) << 0x0F << 0xF0;
        QTest::newRow("invert, 00") << int(Invert) << 0x00 << 0xFF;
        QTest::newRow("invert, end marker") << int(Invert) << 0x01 << 0xFE;
        QTest::newRow("invert, A5") << int(Invert) << 0xA5 << 0x5A;
        QTest::newRow("swap, 81") << int(SwapChannels) << 0x81 << 0x10;
        QTest::newRow("swap, C0") << int(SwapChannels) << 0xC0 << 0x30;
        QTest::newRow("swap, A5") << int(SwapChannels) << 0xA5 << 0x50;
        QTest::newRow("swap, 0F") << int(SwapChannels) << 0x0F << 0x00;
        QTest::newRow("swap, F0") << int(SwapChannels) << 0xF0 << 0xF0;
        QTest::newRow("swap, 20") << int(SwapChannels) << 0x20 << 0x40;
    }

    void uniformSteps()
    {
        QFETCH(int, command);
        QFETCH(int, before);
        QFETCH(int, after);

        RunRecord record = distinctRecord();
        record[kChannelCountIndex] = 2;
        std::fill(record.begin(), record.begin() + kTailSlot + 1,
                  static_cast<std::uint8_t>(before));

        apply(command, record, 100);

        const RunRecord expected = filledRecord(static_cast<std::uint8_t>(after));
        QCOMPARE(hexBytes(record, 0, kStepCount), hexBytes(expected, 0, kStepCount));
        QCOMPARE(int{record[kTailSlot]}, before);
    }

    void appliedTwice_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("lengthByte");

        QTest::newRow("invert") << int(Invert) << 8;
        QTest::newRow("swap channels") << int(SwapChannels) << 8;
        for (const int length : {4, 5, 8, 99, 100, 255})
            QTest::addRow("reverse, length %d", length) << int(ReverseSteps) << length;
    }

    // Invert and Reverse give back every byte; Swap gives back every lamp bit but no low nibble.
    void appliedTwice()
    {
        QFETCH(int, command);
        QFETCH(int, lengthByte);

        RunRecord record = distinctRecord();
        record[kLengthIndex] = static_cast<std::uint8_t>(lengthByte);
        RunRecord expected = record;
        if (command == SwapChannels) {
            for (int i = 0; i < kStepCount; ++i)
                expected[i] &= 0xF0;
        }

        apply(command, record, 100);
        QVERIFY(hexBytes(record, 0, kStepCount) != hexBytes(expected, 0, kStepCount));
        apply(command, record, 100);

        QCOMPARE(hexBytes(record, 0, kRecordSize), hexBytes(expected, 0, kRecordSize));
    }

    void deleteAndInsert_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("mark");
        QTest::addColumn<QByteArray>("expected");

        const RunRecord start = distinctRecord();
        const QByteArray steps = rawBytes(start, 0, kTailSlot + 1);
        const QByteArray tail = steps.mid(kTailSlot);

        for (const int mark : {0, 1, 7, 100, 119, 120}) {
            // The steps above the mark move down one; TailSlot keeps its byte and also fills
            // step 120.
            QTest::addRow("delete at %d", mark)
                << int(DeleteStep) << mark << steps.left(mark) + steps.mid(mark + 1) + tail;
            // The steps from the mark on move up one; the marked step is there twice and the
            // former step 120 ends up in TailSlot.
            QTest::addRow("insert at %d", mark)
                << int(InsertStep) << mark << steps.left(mark + 1) + steps.mid(mark, 121 - mark);
        }
        for (const int mark : {-1, 121, 1000, -2147483647 - 1}) {
            QTest::addRow("delete at %d", mark) << int(DeleteStep) << mark << steps;
            QTest::addRow("insert at %d", mark) << int(InsertStep) << mark << steps;
        }
    }

    void deleteAndInsert()
    {
        QFETCH(int, command);
        QFETCH(int, mark);
        QFETCH(QByteArray, expected);

        RunRecord record = distinctRecord();
        apply(command, record, mark);

        QCOMPARE(rawBytes(record, 0, kTailSlot + 1).toHex(' '), expected.toHex(' '));
    }

    void insertThenDelete_data()
    {
        QTest::addColumn<int>("mark");
        for (const int mark : {0, 37, 99, 100, 120})
            QTest::addRow("%d", mark) << mark;
    }

    // The pair gives back every step; only TailSlot remembers the former step 120.
    void insertThenDelete()
    {
        QFETCH(int, mark);

        const RunRecord start = distinctRecord();
        RunRecord record = start;
        insertStep(record, mark);
        deleteStep(record, mark);

        QCOMPARE(hexBytes(record, 0, kStepCount), hexBytes(start, 0, kStepCount));
        QCOMPARE(record[kTailSlot], start[120]);
    }

    void reverseExamples_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("even length") << 8 << QByteArray("80 40 20 10 00 00 00 00 F1 E2")
                                     << QByteArray("00 00 00 00 10 20 40 80 F1 E2");
        QTest::newRow("odd length keeps the middle step")
            << 5 << QByteArray("01 02 03 04 05 06 07") << QByteArray("05 04 03 02 01 06 07");
        QTest::newRow("low nibbles travel along")
            << 4 << QByteArray("8F 01 FE 10 33") << QByteArray("10 FE 01 8F 33");
    }

    void reverseExamples()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);

        RunRecord record = distinctRecord();
        record[kLengthIndex] = static_cast<std::uint8_t>(length);
        const QByteArray steps = QByteArray::fromHex(before);
        std::copy(steps.begin(), steps.end(), record.begin());

        reverseSteps(record);

        QCOMPARE(hexBytes(record, 0, steps.size()), after);
    }

    // Whatever length byte a file brought, the mirror stays inside the length range 4..100.
    void reverseLengthByte_data()
    {
        QTest::addColumn<int>("lengthByte");
        QTest::addColumn<int>("mirrored");

        QTest::newRow("0") << 0 << 4;
        QTest::newRow("1") << 1 << 4;
        QTest::newRow("3") << 3 << 4;
        QTest::newRow("4") << 4 << 4;
        QTest::newRow("99") << 99 << 99;
        QTest::newRow("100") << 100 << 100;
        QTest::newRow("101") << 101 << 100;
        QTest::newRow("200") << 200 << 100;
        QTest::newRow("255") << 255 << 100;
    }

    void reverseLengthByte()
    {
        QFETCH(int, lengthByte);
        QFETCH(int, mirrored);

        RunRecord record = distinctRecord();
        record[kLengthIndex] = static_cast<std::uint8_t>(lengthByte);
        QByteArray expected = rawBytes(record, 0, kRecordSize);
        std::reverse(expected.begin(), expected.begin() + mirrored);

        reverseSteps(record);

        QCOMPARE(hexBytes(record, 0, kRecordSize), expected.toHex(' ').toUpper());
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_EditCommands.moc"
