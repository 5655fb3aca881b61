// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordBytes.h"
#include "model/RunRecord.h"

#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// Hex of `count` copies of one byte.
QByteArray repeated(const char* byte, int count)
{
    QByteArrayList bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(QByteArray(byte));
    return bytes.join(' ');
}

} // namespace

Q_DECLARE_METATYPE(zorvikta::HeaderValues)

class TestRunRecord : public QObject {
    Q_OBJECT

private slots:
    void clearLowNibbles_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QByteArray>("steps");

        QTest::newRow("A5") << 0xA5 << repeated("A0", kStepCount);
        QTest::newRow("end marker") << 0x01 << repeated("00", kStepCount);
        QTest::newRow("F0 stays") << 0xF0 << repeated("F0", kStepCount);
    }

    // Only Steps lose their low nibbles; TailSlot and the fields after it keep every bit.
    void clearLowNibbles()
    {
        QFETCH(int, before);
        QFETCH(QByteArray, steps);

        RunRecord record = filledRecord(static_cast<std::uint8_t>(before));
        zorvikta::clearLowNibbles(record);

        QCOMPARE(hexBytes(record, 0, kStepCount), steps);
        QCOMPARE(hexBytes(record, kTailSlot, kRecordSize),
                 hexBytes(filledRecord(static_cast<std::uint8_t>(before)), kTailSlot, kRecordSize));
    }

    void normalise_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("throughTail");

        QTest::newRow("length 8") << 8 << repeated("50", 8) + ' ' + repeated("01", 114);
        QTest::newRow("length 4") << 4 << repeated("50", 4) + ' ' + repeated("01", 118);
        QTest::newRow("length 100") << 100 << repeated("50", 100) + ' ' + repeated("01", 22);
        QTest::newRow("length 0") << 0 << repeated("01", 122);
        QTest::newRow("length 121 marks TailSlot only")
            << 121 << repeated("50", 121) + ' ' + repeated("01", 1);
        QTest::newRow("length 122 marks nothing") << 122 << repeated("50", 121) + " 57";
        QTest::newRow("length -1 marks nothing") << -1 << repeated("50", 121) + " 57";
    }

    // Bytes 0..121 after the low nibbles were cleared and the end markers filled in; the fields
    // after TailSlot are never written.
    void normalise()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, throughTail);

        RunRecord record = filledRecord(0x57);
        zorvikta::normalise(record, length);

        QCOMPARE(hexBytes(record, 0, kTailSlot + 1), throughTail);
        QCOMPARE(hexBytes(record, kReservedFirst, kRecordSize),
                 repeated("57", kRecordSize - kReservedFirst));
    }

    void fillEndMarkers_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("throughTail");

        QTest::newRow("length 8") << 8 << repeated("F7", 8) + ' ' + repeated("01", 114);
        QTest::newRow("length 121") << 121 << repeated("F7", 121) + " 01";
        QTest::newRow("length 122") << 122 << repeated("F7", 122);
        QTest::newRow("length -5") << -5 << repeated("F7", 122);
    }

    // The fill alone leaves the low nibbles of the steps before the length as they were.
    void fillEndMarkers()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, throughTail);

        RunRecord record = filledRecord(0xF7);
        zorvikta::fillEndMarkers(record, length);

        QCOMPARE(hexBytes(record, 0, kTailSlot + 1), throughTail);
        QCOMPARE(hexBytes(record, kReservedFirst, kRecordSize),
                 repeated("F7", kRecordSize - kReservedFirst));
    }

    void setLit_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("lit");
        QTest::addColumn<int>("after");

        QTest::newRow("channel 1 on, low nibble kept") << 0x05 << 0 << true << 0x85;
        QTest::newRow("channel 4 off, the rest kept") << 0xFF << 3 << false << 0xEF;
        QTest::newRow("lit stays lit") << 0x20 << 2 << true << 0x20;
        QTest::newRow("dark stays dark") << 0xB1 << 1 << false << 0xB1;
    }

    void setLit()
    {
        QFETCH(int, before);
        QFETCH(int, channel);
        QFETCH(bool, lit);
        QFETCH(int, after);

        auto stepByte = static_cast<std::uint8_t>(before);
        zorvikta::setLit(stepByte, channel, lit);
        QCOMPARE(int{stepByte}, after);
    }

    void writeHeader_data()
    {
        QTest::addColumn<HeaderValues>("values");
        QTest::addColumn<QByteArray>("header");

        // distinctRecord() holds 3 channels, length 8 and speed 200.
        QTest::newRow("all three") << HeaderValues{4, 100, 250} << QByteArray("04 64 FA");
        QTest::newRow("channels and length, as a preset")
            << HeaderValues{.channelCount = 2, .length = 16} << QByteArray("02 10 C8");
        QTest::newRow("speed alone") << HeaderValues{.speed = 5} << QByteArray("03 08 05");
        QTest::newRow("nothing given") << HeaderValues{} << QByteArray("03 08 C8");
    }

    // Only the header bytes given change; every other byte of the record stays.
    void writeHeader()
    {
        QFETCH(HeaderValues, values);
        QFETCH(QByteArray, header);

        RunRecord record = distinctRecord();
        zorvikta::writeHeader(record, values);

        QCOMPARE(hexBytes(record, kChannelCountIndex, kSpeedIndex + 1), header);
        QCOMPARE(hexBytes(record, 0, kChannelCountIndex),
                 hexBytes(distinctRecord(), 0, kChannelCountIndex));
        QCOMPARE(record[kSpareIndex], distinctRecord()[kSpareIndex]);
    }
};

QTEST_MAIN(TestRunRecord)
#include "tst_RunRecord.moc"
