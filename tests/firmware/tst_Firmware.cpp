// SPDX-License-Identifier: GPL-3.0-or-later
// The board's firmware, run in a simulated ATmega328P: what it plays on the relays, when, and
// what it keeps across a reset. Expected steps and periods are worked out from the protocol by
// hand: relays 1 to 4 follow bits 7 to 4, each step lasts (255 - speed) x 10 ms.
#include "SimulatedBoard.h"
#include "support/PseudoTerminal.h"
#include "support/RunFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace zorvikta::test;

namespace {

// A message (or garbage) put on the line no earlier than `atMs` into the script, and never before
// the bytes sent ahead of it have gone out.
struct Send {
    int atMs;
    QByteArray bytes;
    QList<int> broken = {}; // the indices of bytes that arrive with a framing error
};

// One step on the relays: the lamps lit, as bits 7 to 4, and how long it lasts. A period of 0
// marks a step cut short by an upload, whose length depends on when the upload ends.
struct Step {
    std::uint8_t lit;
    int periodMs;
    friend bool operator==(const Step&, const Step&) = default;
};

} // namespace

Q_DECLARE_METATYPE(Send)
Q_DECLARE_METATYPE(Step)

namespace {

constexpr double kPeriodTolerance = 0.001;
// A relay needs milliseconds to move: a pin state shorter than this is no step anyone sees. It
// occurs when an upload ends within microseconds of a step change, which then shows for the
// few instructions until the upload applies.
constexpr std::uint64_t kShortestStepCycles = SimulatedBoard::kCyclesPerMs;

// Four steps that differ from their neighbours, so that every step shows as a change.
const QByteArray kPattern = hex("80402010");
const QByteArray kOtherPattern = hex("f0a05030");

QList<Step> cycleOf(const QByteArray& pattern, int periodMs, int steps)
{
    QList<Step> out;
    for (int index = 0; index < steps; ++index)
        out << Step{std::uint8_t(pattern.at(index % pattern.size())), periodMs};
    return out;
}

// The firmware switches its receiver on within microseconds of power-up; a byte before that is
// lost on a real board too. The line stays quiet this long, as it does until a program opens it.
constexpr int kQuietAfterPowerUpMs = 10;

// A script's times count from the end of the quiet start.
void play(SimulatedBoard& board, const QList<Send>& script)
{
    for (const Send& send : script) {
        board.runUntil(std::uint64_t(kQuietAfterPowerUpMs + send.atMs) *
                       SimulatedBoard::kCyclesPerMs);
        board.send(send.bytes, send.broken);
    }
}

// Plays the script, leaves the firmware time to store what it got (a speed once it has stood for
// 2 s), then cycles the power.
void playThenPowerCycle(SimulatedBoard& board, const QList<Send>& script)
{
    play(board, script);
    board.runFor(2500 * SimulatedBoard::kCyclesPerMs);
    board.reset();
}

// The relay changes from `from` on, from the first lamp lit (the relays are dark until the
// board has a pattern), without the states too short for a relay to follow.
std::vector<SimulatedBoard::RelayChange> steadySteps(const SimulatedBoard& board,
                                                     std::uint64_t from)
{
    std::vector<SimulatedBoard::RelayChange> steps;
    const auto& changes = board.relayChanges();
    for (std::size_t index = 0; index < changes.size(); ++index) {
        if (changes[index].cycle < from || (steps.empty() && changes[index].lit == 0))
            continue;
        const bool last = index + 1 == changes.size();
        if (!last && changes[index + 1].cycle - changes[index].cycle < kShortestStepCycles)
            continue;
        if (steps.empty() || steps.back().lit != changes[index].lit)
            steps.push_back(changes[index]);
    }
    return steps;
}

// Runs long enough for the expected steps and one change more, then compares the lamps of each
// step and, where given, its period in simulated cycles. A last step with no period must be the
// last one seen.
void expectSteps(SimulatedBoard& board, std::uint64_t from, const QList<Step>& expected)
{
    std::uint64_t total = 0;
    for (const Step& step : expected)
        total += std::uint64_t(std::max(step.periodMs, 1)) * SimulatedBoard::kCyclesPerMs;
    board.runUntil(std::max(board.cycle(), from) + total * 11 / 10 +
                   3000 * SimulatedBoard::kCyclesPerMs);

    const auto steps = steadySteps(board, from);
    const bool endsThere = expected.constLast().periodMs == 0;
    const std::size_t wanted = std::size_t(expected.size()) + (endsThere ? 0 : 1);
    QVERIFY2(
        endsThere ? steps.size() == wanted : steps.size() >= wanted,
        qPrintable(QStringLiteral("%1 steps seen, %2 expected").arg(steps.size()).arg(wanted)));
    double worst = 0;
    for (qsizetype index = 0; index < expected.size(); ++index) {
        const QString where = QStringLiteral("step %1").arg(index);
        QVERIFY2(steps[index].lit == expected[index].lit,
                 qPrintable(where + QStringLiteral(": lamps %1, expected %2")
                                        .arg(steps[index].lit, 2, 16, QLatin1Char('0'))
                                        .arg(expected[index].lit, 2, 16, QLatin1Char('0'))));
        if (expected[index].periodMs == 0)
            continue;
        const double cycles = double(steps[index + 1].cycle - steps[index].cycle);
        const double period = double(expected[index].periodMs) * SimulatedBoard::kCyclesPerMs;
        const double error = std::abs(cycles - period) / period;
        worst = std::max(worst, error);
        QVERIFY2(error < kPeriodTolerance,
                 qPrintable(where + QStringLiteral(": %1 ms, expected %2 ms")
                                        .arg(cycles / SimulatedBoard::kCyclesPerMs, 0, 'f', 4)
                                        .arg(expected[index].periodMs)));
    }
    qInfo("largest step period error: %.5f %%", worst * 100);
}

// Noise, random images: the same bytes on every run.
QByteArray randomBytes(QRandomGenerator& random, int count)
{
    QByteArray bytes(count, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// The lamps of the first steps played from `from` on, with the first step's period: enough to tell
// two patterns, or two speeds, apart.
QList<Step> firstSteps(SimulatedBoard& board, std::uint64_t from, int count)
{
    board.runUntil(from + 3000 * SimulatedBoard::kCyclesPerMs);
    const auto steps = steadySteps(board, from);
    QList<Step> out;
    for (std::size_t index = 0; index + 1 < steps.size() && out.size() < count; ++index) {
        const auto cycles = steps[index + 1].cycle - steps[index].cycle;
        out << Step{steps[index].lit, int((cycles + SimulatedBoard::kCyclesPerMs / 2) /
                                          SimulatedBoard::kCyclesPerMs)};
    }
    return out;
}

} // namespace

class TestFirmware : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_board = std::make_unique<SimulatedBoard>(QStringLiteral(ZORVIKTA_FIRMWARE_ELF));
        QVERIFY2(m_board->loadError().isEmpty(), qPrintable(m_board->loadError()));
    }

    void cleanup() { m_board.reset(); }

    void playsWhatItReceives_data()
    {
        QTest::addColumn<QList<Send>>("script");
        QTest::addColumn<QList<Step>>("expected");

        QTest::newRow("upload plays at the start speed")
            << QList<Send>{{0, uploadOf(kPattern)}} << cycleOf(kPattern, 250, 5);
        QTest::newRow("fastest speed, then the upload")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)}}
            << cycleOf(kPattern, 50, 9);
        QTest::newRow("slowest speed, then the upload")
            << QList<Send>{{0, expectedSpeed(5) + uploadOf(kPattern)}}
            << cycleOf(kPattern, 2500, 2);
        // The pattern starts at 1025 ms, 50 ms a step; the refused upload ends at 2125 ms.
        const QList<Step> playsOn = cycleOf(kPattern, 50, 30);
        QTest::newRow("lamps after the first end marker drop the upload")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, uploadOf(hex("f00130"))}}
            << playsOn;
        // The upload ends at 1000 ms, so its first step runs 1000 to 1250 ms.
        QTest::newRow("speed in the middle of a step")
            << QList<Send>{{0, uploadOf(kPattern)}, {1100, expectedSpeed(250)}}
            << QList<Step>{{0x80, 250}} + cycleOf(kPattern.sliced(1) + kPattern, 50, 5);
        QTest::newRow("speed right behind the upload")
            << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)}}
            << QList<Step>{{0x80, 250}} + cycleOf(kPattern.sliced(1) + kPattern, 50, 5);
        QTest::newRow("garbage before the upload")
            << QList<Send>{{0, hex("1234aa00") + uploadOf(kPattern)}} << cycleOf(kPattern, 250, 5);
        QTest::newRow("speed broken by garbage is dropped")
            << QList<Send>{{0, hex("ff0520") + uploadOf(kPattern)}} << cycleOf(kPattern, 250, 5);
        QTest::newRow("doubled header")
            << QList<Send>{{0, hex("ff") + expectedSpeed(250) + uploadOf(kPattern)}}
            << cycleOf(kPattern, 50, 5);
        // The pattern starts at 1025 ms, 50 ms a step; the cut upload and the speed message
        // arrive during its third step, which keeps its period.
        QTest::newRow("upload cut short by a new header keeps the pattern")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, hex("fffef0f0") + expectedSpeed(100)}}
            << QList<Step>{{0x80, 50}, {0x40, 50}, {0x20, 50}, {0x10, 1550}, {0x80, 1550}};
        QTest::newRow("upload cut short by garbage and a header")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, hex("fffe50") + hex("ff")}}
            << cycleOf(kPattern, 50, 8);
        // While the second upload comes in, 20 steps of the first one change; it ends at
        // 2040 ms, 15 ms into a step, and starts its own pattern at once.
        QTest::newRow("upload over many step changes")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1040, uploadOf(kOtherPattern)}}
            << cycleOf(kPattern, 50, 20) + QList<Step>{{0x80, 0}} + cycleOf(kOtherPattern, 50, 5);
        // Back to back, the second upload ends just as the first pattern's 21st step begins.
        QTest::newRow("upload ending as a step changes")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern) + uploadOf(kOtherPattern)}}
            << cycleOf(kPattern, 50, 20) + cycleOf(kOtherPattern, 50, 5);
        for (const int outside : {0, 4, 251, 252, 253})
            QTest::addRow("speed %d is ignored", outside)
                << QList<Send>{{0,
                                expectedSpeed(250) + uploadOf(kPattern) + expectedSpeed(outside)}}
                << cycleOf(kPattern, 50, 9);
        QTest::newRow("upload with low bits in a step is dropped")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, uploadOf(hex("80c0602f"))}}
            << playsOn;
        QTest::newRow("upload without an end marker is dropped")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, hex("fffe") + QByteArray(118, '\x30')}}
            << playsOn;
        QTest::newRow("upload with its end marker past step 100 is dropped")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, uploadOf(QByteArray(101, '\x30'))}}
            << playsOn;
        QTest::newRow("upload with a framing error is dropped")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)},
                           {1100, uploadOf(kOtherPattern), QList<int>{60}}}
            << playsOn;
        QTest::newRow("upload of an empty pattern darkens the relays")
            << QList<Send>{{0, expectedSpeed(250) + uploadOf(kPattern)}, {1100, uploadOf({})}}
            << cycleOf(kPattern, 50, 21) + QList<Step>{{0x40, 0}, {0x00, 0}};
    }

    void playsWhatItReceives()
    {
        QFETCH(QList<Send>, script);
        QFETCH(QList<Step>, expected);

        play(*m_board, script);
        expectSteps(*m_board, 0, expected);
    }

    void keepsThePatternAcrossReset_data()
    {
        QTest::addColumn<QList<Send>>("script");
        QTest::addColumn<QList<Step>>("expected");

        QTest::newRow("upload and speed")
            << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)}}
            << cycleOf(kPattern, 50, 5);
        QTest::newRow("upload alone plays at the start speed")
            << QList<Send>{{0, uploadOf(kPattern)}} << cycleOf(kPattern, 250, 5);
        QTest::newRow("the later upload")
            << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)},
                           {1500, uploadOf(kOtherPattern)}}
            << cycleOf(kOtherPattern, 50, 5);
        QTest::newRow("not a speed out of range")
            << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)}, {3000, expectedSpeed(253)}}
            << cycleOf(kPattern, 50, 5);
        QTest::newRow("not an upload out of form")
            << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)},
                           {1500, uploadOf(hex("f00130"))}}
            << cycleOf(kPattern, 50, 5);
        QTest::newRow("not an upload cut short")
            << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)},
                           {1500, hex("fffef0f0f0") + expectedSpeed(240)}}
            << cycleOf(kPattern, 150, 5);
    }

    void keepsThePatternAcrossReset()
    {
        QFETCH(QList<Send>, script);
        QFETCH(QList<Step>, expected);

        playThenPowerCycle(*m_board, script);
        expectSteps(*m_board, m_board->cycle(), expected);
    }

    // Before the first upload, and after one of an empty pattern, the relays never switch on.
    void staysDarkWithoutAPattern_data()
    {
        QTest::addColumn<QList<Send>>("script");

        QTest::newRow("never uploaded") << QList<Send>{};
        QTest::newRow("speed alone") << QList<Send>{{0, expectedSpeed(250)}};
        QTest::newRow("garbage alone") << QList<Send>{{0, hex("1234fffe8040")}};
        QTest::newRow("upload out of form alone") << QList<Send>{{0, uploadOf(hex("f00130"))}};
        QTest::newRow("empty pattern uploaded last")
            << QList<Send>{{0, uploadOf(kPattern)}, {1500, uploadOf({})}};
    }

    void staysDarkWithoutAPattern()
    {
        QFETCH(QList<Send>, script);

        playThenPowerCycle(*m_board, script);
        m_board->runFor(3000 * SimulatedBoard::kCyclesPerMs);
        for (const auto& change : m_board->relayChanges())
            QCOMPARE(change.lit, std::uint8_t(0));
        QVERIFY(m_board->relaysDrivenOff());
    }

    // A reset leaves the pins floating; the firmware drives every relay off before it does
    // anything else.
    void switchesRelaysOffAtOnce_data()
    {
        QTest::addColumn<QList<Send>>("script");

        QTest::newRow("power-up") << QList<Send>{};
        QTest::newRow("reset while relays are on")
            << QList<Send>{{0, uploadOf(hex("f0f0f0f0")) + expectedSpeed(250)}};
    }

    void switchesRelaysOffAtOnce()
    {
        QFETCH(QList<Send>, script);

        playThenPowerCycle(*m_board, script);
        const std::uint64_t start = m_board->cycle();
        while (!m_board->relaysDrivenOff() && m_board->cycle() - start < 1000)
            m_board->runFor(1);
        const std::uint64_t cycles = m_board->cycle() - start;
        qInfo("relays driven off %llu cycles after reset", static_cast<unsigned long long>(cycles));
        QVERIFY2(cycles <= 8, qPrintable(QStringLiteral("%1 cycles").arg(cycles)));
    }

    void blinksOncePerMessage_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("flashes");

        QTest::newRow("upload") << uploadOf(kPattern) << 1;
        QTest::newRow("upload and speed back to back")
            << uploadOf(kPattern) + expectedSpeed(240) << 2;
        QTest::newRow("three speeds")
            << expectedSpeed(5) + expectedSpeed(100) + expectedSpeed(250) << 3;
        QTest::newRow("garbage") << hex("123456fffe00") << 0;
        QTest::newRow("upload cut short") << hex("fffe8040") + expectedSpeed(240) << 1;
        QTest::newRow("speeds out of range")
            << expectedSpeed(0) + expectedSpeed(251) + expectedSpeed(240) << 1;
        QTest::newRow("upload out of form") << uploadOf(hex("8f")) + expectedSpeed(240) << 1;
    }

    void blinksOncePerMessage()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, flashes);

        play(*m_board, {{0, stream}});
        m_board->runFor(200 * SimulatedBoard::kCyclesPerMs);
        QCOMPARE(m_board->ledFlashes(), flashes);
    }

    // A Nano that ran another sketch, a torn record, a fresh chip: the relays stay off, and the
    // first upload plays at the start speed.
    void startsDarkFromAnyImage_data()
    {
        QTest::addColumn<QList<QByteArray>>("images");

        QTest::newRow("fresh chip") << QList<QByteArray>{QByteArray(1024, '\xff')};
        QTest::newRow("all zeros") << QList<QByteArray>{QByteArray(1024, '\0')};
        // What a torn write of speed 230 could leave beside a plausible length and steps.
        QTest::newRow("bare speed, length and steps")
            << QList<QByteArray>{hex("fe04") + kPattern + QByteArray(1018, '\xff')};
        QRandomGenerator random(32);
        QList<QByteArray> images;
        for (int index = 0; index < 500; ++index)
            images << randomBytes(random, 1024);
        QTest::newRow("500 random images") << images;
    }

    void startsDarkFromAnyImage()
    {
        QFETCH(QList<QByteArray>, images);

        int dark = 0;
        for (const QByteArray& image : images) {
            m_board->setEeprom(image);
            m_board->reset();
            m_board->runFor(300 * SimulatedBoard::kCyclesPerMs);
            const auto& changes = m_board->relayChanges();
            if (m_board->relaysDrivenOff() &&
                std::all_of(changes.begin(), changes.end(),
                            [](const auto& change) { return change.lit == 0; }))
                ++dark;
        }
        qInfo("relays off at power-up from %d of %lld images", dark,
              static_cast<long long>(images.size()));
        QCOMPARE(dark, images.size());
        if (images.size() == 1) {
            const std::uint64_t from = m_board->cycle();
            m_board->send(uploadOf(kPattern));
            expectSteps(*m_board, from, cycleOf(kPattern, 250, 3));
        }
    }

    // The power goes during each write of a save in turn; at the next start the board plays
    // what it played before the save, or what the save stored, and nothing else.
    void survivesACutDuringASave_data()
    {
        QTest::addColumn<QList<Send>>("before");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QList<Step>>("old");
        QTest::addColumn<QList<Step>>("stored");

        QTest::newRow("first upload on a fresh chip")
            << QList<Send>{} << uploadOf(kPattern) << QList<Step>{} << cycleOf(kPattern, 250, 3);
        QTest::newRow("upload over two others")
            << QList<Send>{{0, uploadOf(hex("f0f0f000")) + expectedSpeed(250)},
                           {3000, uploadOf(kPattern)}}
            << uploadOf(kOtherPattern) << cycleOf(kPattern, 50, 3) << cycleOf(kOtherPattern, 50, 3);
        QTest::newRow("speed") << QList<Send>{{0, uploadOf(kPattern) + expectedSpeed(250)}}
                               << expectedSpeed(200) << cycleOf(kPattern, 50, 3)
                               << cycleOf(kPattern, 550, 3);
    }

    void survivesACutDuringASave()
    {
        QFETCH(QList<Send>, before);
        QFETCH(QByteArray, saved);
        QFETCH(QList<Step>, old);
        QFETCH(QList<Step>, stored);

        playThenPowerCycle(*m_board, before);
        m_board->runFor(kQuietAfterPowerUpMs * SimulatedBoard::kCyclesPerMs);
        const QByteArray image = m_board->eeprom();
        const int writesBefore = m_board->eepromWrites();
        m_board->send(saved);
        m_board->runFor(2500 * SimulatedBoard::kCyclesPerMs);
        const int writes = m_board->eepromWrites() - writesBefore;
        QVERIFY(writes > 0);

        int playsOld = 0;
        QList<Step> steps;
        for (int cut = 1; cut <= writes + 1; ++cut) {
            const QString where = QStringLiteral("cut during write %1 of %2").arg(cut).arg(writes);
            m_board->setEeprom(image);
            m_board->reset();
            m_board->runFor(10 * SimulatedBoard::kCyclesPerMs);
            m_board->cutPowerDuringWrite(cut);
            m_board->send(saved);
            m_board->runFor(2500 * SimulatedBoard::kCyclesPerMs);
            QVERIFY2(m_board->powerCut() == (cut <= writes), qPrintable(where));
            m_board->reset();
            steps = firstSteps(*m_board, m_board->cycle(), 3);
            QVERIFY2(steps == old || steps == stored, qPrintable(where));
            playsOld += steps == old ? 1 : 0;
        }
        qInfo("%d writes; the old record after %d cut points, the new one after %d", writes,
              playsOld, writes + 1 - playsOld);
        // No cut: the save itself.
        QCOMPARE(steps, stored);
    }

    // Writes per upload and per drag of the speed bar, and so the uploads a cell lasts.
    void sparesTheCells()
    {
        QRandomGenerator random(4);
        constexpr int kUploads = 10;
        for (int index = 0; index < kUploads; ++index) {
            QByteArray pattern(int(random.bounded(4, 101)), '\0');
            for (char& step : pattern)
                step = char(random.bounded(16) << 4);
            m_board->send(uploadOf(pattern));
            m_board->runFor(500 * SimulatedBoard::kCyclesPerMs);
        }
        const int uploadWrites = m_board->eepromWrites();
        const int mostPerCell = m_board->mostWritesToACell();

        // The program sends a message per position of the speed bar, as fast as the line takes
        // them.
        QByteArray drag;
        for (int value = 5; value <= 250; ++value)
            drag += expectedSpeed(value);
        m_board->send(drag);
        m_board->runFor(2500 * SimulatedBoard::kCyclesPerMs);
        const int firstDrag = m_board->eepromWrites() - uploadWrites;
        std::reverse(drag.begin(), drag.end());
        m_board->send(drag);
        m_board->runFor(2500 * SimulatedBoard::kCyclesPerMs);
        const int laterDrag = m_board->eepromWrites() - uploadWrites - firstDrag;

        qInfo("%.1f writes per upload, the most-written cell %d times in %d uploads: %d uploads "
              "until 100000 cycles; %d writes for the first drag after an upload, %d for the next",
              double(uploadWrites) / kUploads, mostPerCell, kUploads,
              100000 * kUploads / mostPerCell, firstDrag, laterDrag);
        // Each upload writes the other slot: no cell more than every other upload.
        QVERIFY(mostPerCell <= kUploads / 2);
        // A drag is one save: at most a copy of the pattern with its header.
        QVERIFY(firstDrag <= 100 + 8);
        QVERIFY(laterDrag <= 8);
    }

    // Noise at the line's full rate: no upload takes, and the pattern stored stays.
    void appliesNoUploadFromNoise()
    {
        play(*m_board, {{0, uploadOf(kPattern) + expectedSpeed(250)}});
        m_board->runFor(2500 * SimulatedBoard::kCyclesPerMs);
        const int flashesBefore = m_board->ledFlashes();
        QRandomGenerator random(2160);
        constexpr int kNoiseBytes = 6000;
        m_board->send(randomBytes(random, kNoiseBytes));
        // Every message applied blinks once; noise rarely makes a speed message, never an
        // upload.
        const int applied = m_board->ledFlashes() - flashesBefore;
        const double hours = kNoiseBytes * 10.0 / 1200 / 3600;
        qInfo("%d speed messages applied from %d bytes of noise: %.1f an hour", applied,
              kNoiseBytes, applied / hours);
        // The speed noise may have set aside, so that the pattern shows in a few steps.
        m_board->send(expectedSpeed(250));
        m_board->runFor(2500 * SimulatedBoard::kCyclesPerMs);
        m_board->reset();
        const QList<Step> steps = firstSteps(*m_board, m_board->cycle(), 5);
        QCOMPARE(steps.size(), 5);
        for (int index = 0; index < steps.size(); ++index)
            QCOMPARE(steps[index].lit, std::uint8_t(kPattern.at(index % kPattern.size())));
    }

    // A firmware that stops feeding the watchdog is restarted with the relays off, then plays its
    // stored pattern again.
    void restartsAStuckBoard()
    {
        play(*m_board, {{0, uploadOf(hex("f0f0f0f0"))}});
        m_board->runFor(1000 * SimulatedBoard::kCyclesPerMs);
        const std::uint64_t hungAt = m_board->cycle();
        m_board->hang();
        m_board->runFor(1500 * SimulatedBoard::kCyclesPerMs);
        std::vector<std::uint8_t> after;
        std::uint64_t offAt = 0;
        for (const auto& change : m_board->relayChanges()) {
            if (change.cycle <= hungAt)
                continue;
            if (after.empty())
                offAt = change.cycle;
            after.push_back(change.lit);
        }
        QCOMPARE(after, (std::vector<std::uint8_t>{0x00, 0xf0}));
        const double restartMs = double(offAt - hungAt) / SimulatedBoard::kCyclesPerMs;
        qInfo("relays off %.0f ms after the firmware stopped", restartMs);
        QVERIFY(restartMs < 1000);
    }

    // The line's baud rate as the firmware sets the USART, and the share of time the CPU is awake
    // while a pattern plays fast: steps are timed by the timer interrupt, the CPU sleeps in
    // between.
    void timesTheLineAndSleeps()
    {
        play(*m_board, {{0, expectedSpeed(250) + uploadOf(kPattern)}});
        // Past the save of the upload, whose EEPROM writes the firmware waits for.
        m_board->runFor(500 * SimulatedBoard::kCyclesPerMs);
        const std::uint64_t from = m_board->cycle();
        const std::uint64_t awakeBefore = m_board->awakeCycles();
        m_board->runFor(2000 * SimulatedBoard::kCyclesPerMs);

        const double baud = m_board->baudRate();
        const double baudError = std::abs(baud - 1200) / 1200;
        const double awake =
            double(m_board->awakeCycles() - awakeBefore) / double(m_board->cycle() - from);
        qInfo("%.3f baud, error %.4f %%; awake %.4f %% of the time while playing", baud,
              baudError * 100, awake * 100);
        QVERIFY(baudError < 0.005);
        QVERIFY(awake < 0.01);
    }

    // The whole path: zvk uploads a run file to a pseudo-terminal, whose bytes reach the
    // simulated USART at the line's pace.
    void playsAFileUploadedWithZvk()
    {
        // Six steps on four channels at speed 240 (150 ms). The low bits and the lamps after the
        // length must not reach the board.
        const QByteArray file = runFileBytes(hex("8fc0603110f0a0"), 4, 6, 240);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("six.zvk"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();

        PseudoTerminal line;
        QVERIFY(line.isOpen());
        QProcess zvk;
        zvk.start(QStringLiteral(ZVK_PATH),
                  {QStringLiteral("upload"), path, QStringLiteral("--device"), line.slaveName(),
                   QStringLiteral("--speed")});
        const QByteArray bytes = line.received(123, 10000);
        QVERIFY(zvk.waitForFinished(10000));
        QCOMPARE(zvk.exitCode(), 0);
        QCOMPARE(bytes.size(), 123);

        play(*m_board, {{0, bytes}});
        // The first step still runs at the start speed; the speed message counts from the next.
        expectSteps(*m_board, 0,
                    QList<Step>{{0x80, 250},
                                {0xc0, 150},
                                {0x60, 150},
                                {0x30, 150},
                                {0x10, 150},
                                {0xf0, 150},
                                {0x80, 150}});
    }

private:
    std::unique_ptr<SimulatedBoard> m_board;
};

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_Firmware.moc"
