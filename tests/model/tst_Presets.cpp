// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordBytes.h"
#include "model/Presets.h"

#include <QTest>

#include <vector>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// A byte no preset writes: fixed presets hold none and a draw never gives one.
constexpr std::uint8_t kUntouched = 0xFF;
constexpr int kDrawnSteps = 102;

QByteArray captionOf(const Preset& preset)
{
    return QByteArray(preset.caption.data(), qsizetype(preset.caption.size()));
}

// Marks a step whose byte comes from the generator rather than from an overlay.
constexpr int kDrawn = -1;

std::vector<int> draws(int count)
{
    RandomDraw draw;
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(draw(255));
    return values;
}

} // namespace

class TestPresets : public QObject {
    Q_OBJECT

private slots:
    // Every button's preset: its caption, channels and length, the steps it writes, what it leaves
    // alone and how many draws it takes from the generator.
    void presetSteps_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("firstSteps");
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("drawsTaken");

        const auto fixed = [](int index, const char* caption, int channels, int length,
                              const char* steps) {
            QTest::newRow(caption)
                << index << QByteArray(caption) << channels << length << QByteArray(steps)
                << int(QByteArray::fromHex(steps).size()) << 0;
        };
        fixed(0, "4-1", 4, 8, "80 40 20 10 80 40 20 10");
        fixed(1, "4-2", 4, 8, "C0 60 30 90 C0 60 30 90");
        fixed(2, "4-3", 4, 8, "E0 70 B0 D0 E0 70 B0 D0");
        fixed(3, "4Ro", 4, 6, "80 40 20 10 20 40");
        fixed(4, "3-1", 3, 6, "80 40 20 80 40 20");
        fixed(5, "2C", 2, 4, "F0 00 F0 00");
        fixed(8, "4Np", 4, 5, "80 C0 E0 F0 00");
        fixed(9, "4Gr", 4, 8, "80 C0 E0 F0 70 30 10 00");
        fixed(10, "4Fl", 4, 8, "F0 00 F0 00 F0 00 F0 00");
        fixed(11, "4Un", 4, 8, "80 40 20 10 F0 00 F0 00");
        fixed(12, "3-2", 3, 6, "C0 60 A0 C0 60 A0");
        fixed(13, "2L", 2, 4, "F0 00 00 00");
        fixed(14, "ST", 4, 16, "00 10 20 30 40 50 60 70 80 90 A0 B0 C0 D0 E0 F0 00");

        // The first press after a start: the generator's first draws, with the overlays laid on.
        QTest::newRow("Rnd") << 7 << QByteArray("Rnd") << 4 << 100
                             << QByteArray("00 08 DB 33 45 AB 51 29") << 102 << kDrawnSteps;
        QTest::newRow("VS") << 6 << QByteArray("VS") << 4 << 24
                            << QByteArray("00 00 00 33 00 00 00 29 00 00 00 79") << 103
                            << kDrawnSteps;
        QTest::newRow("RnF") << 15 << QByteArray("RnF") << 4 << 100
                             << QByteArray("00 08 F0 33 00 AB F0 29 00 6C F0 79") << 103
                             << kDrawnSteps;
    }

    void presetSteps()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, caption);
        QFETCH(int, channels);
        QFETCH(int, length);
        QFETCH(QByteArray, firstSteps);
        QFETCH(int, written);
        QFETCH(int, drawsTaken);

        const Preset& preset = presets().at(std::size_t(index));
        QCOMPARE(captionOf(preset), caption);
        QCOMPARE(findPreset(caption.constData()), &preset);
        QCOMPARE(preset.channels, channels);
        QCOMPARE(preset.length, length);

        RunRecord record = filledRecord(kUntouched);
        RandomDraw draw;
        writePresetSteps(preset, record, draw);

        QCOMPARE(hexBytes(record, 0, int(firstSteps.count(' ')) + 1), firstSteps);
        for (int i = 0; i < written; ++i)
            QVERIFY2(record[std::size_t(i)] != kUntouched, QByteArray::number(i).constData());
        QCOMPARE(hexBytes(record, written, kRecordSize),
                 hexBytes(filledRecord(kUntouched), written, kRecordSize));

        RandomDraw expected;
        for (int i = 0; i < drawsTaken; ++i)
            expected(255);
        QCOMPARE(draw.RandomState, expected.RandomState);
    }

    void randomLayout_data()
    {
        QTest::addColumn<QByteArray>("caption");
        // For each step modulo 4: a drawn byte, or the byte laid over the draws.
        QTest::addColumn<QList<int>>("period");

        QTest::newRow("Rnd") << QByteArray("Rnd") << QList<int>{kDrawn, kDrawn, kDrawn, kDrawn};
        QTest::newRow("RnF") << QByteArray("RnF") << QList<int>{0x00, kDrawn, 0xF0, kDrawn};
        QTest::newRow("VS") << QByteArray("VS") << QList<int>{0x00, 0x00, 0x00, kDrawn};
    }

    // The draws fill steps 0..101 in ascending order; the overlays cover every group of four up
    // to step 102.
    void randomLayout()
    {
        QFETCH(QByteArray, caption);
        QFETCH(QList<int>, period);

        RunRecord record = filledRecord(kUntouched);
        RandomDraw draw;
        writePresetSteps(*findPreset(caption.constData()), record, draw);

        const std::vector<int> drawn = draws(kDrawnSteps);
        for (int i = 0; i <= kDrawnSteps; ++i) {
            int expected = period.at(i % 4);
            if (expected == kDrawn)
                expected = i < kDrawnSteps ? drawn[std::size_t(i)] : int(kUntouched);
            QVERIFY2(record[std::size_t(i)] == expected,
                     ("step " + QByteArray::number(i)).constData());
        }
    }

    void repeatedPresses_data()
    {
        QTest::addColumn<QByteArray>("caption");
        QTest::newRow("Rnd") << QByteArray("Rnd");
        QTest::newRow("VS") << QByteArray("VS");
        QTest::newRow("RnF") << QByteArray("RnF");
    }

    // A second press draws a new pattern; a fresh generator, like a restart, repeats the first.
    void repeatedPresses()
    {
        QFETCH(QByteArray, caption);
        const Preset& preset = *findPreset(caption.constData());

        RandomDraw draw;
        RunRecord first = filledRecord(0);
        RunRecord second = filledRecord(0);
        writePresetSteps(preset, first, draw);
        writePresetSteps(preset, second, draw);
        QVERIFY(hexBytes(first, 0, kDrawnSteps + 1) != hexBytes(second, 0, kDrawnSteps + 1));

        RandomDraw restarted;
        RunRecord again = filledRecord(0);
        writePresetSteps(preset, again, restarted);
        QCOMPARE(hexBytes(again, 0, kRecordSize), hexBytes(first, 0, kRecordSize));
    }

    void unknownCaption()
    {
        QVERIFY(findPreset("4-4") == nullptr);
        QVERIFY(findPreset("") == nullptr);
        QVERIFY(findPreset("rnd") == nullptr);
    }
};

QTEST_MAIN(TestPresets)
#include "tst_Presets.moc"
