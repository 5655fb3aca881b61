// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

struct avr_t;
struct avr_irq_t;

namespace zorvikta::test {

// The board's firmware running cycle by cycle on a simulated ATmega328P at 16 MHz: bytes go into
// its USART at the line's pace, and every change of the relay pins is kept with its cycle.
class SimulatedBoard {
public:
    static constexpr std::uint64_t kClockHz = 16'000'000;
    static constexpr std::uint64_t kCyclesPerMs = kClockHz / 1000;
    // Ten bit times at 1200 baud, rounded up so that the bytes never come faster than the line.
    static constexpr std::uint64_t kCyclesPerByte = (kClockHz * 10 + 1199) / 1200;

    // The relays as a step byte would set them: bit 7 for relay 1 down to bit 4 for relay 4,
    // 1 where the relay is on. Relays on D2 to D5 switch on at a low level.
    struct RelayChange {
        std::uint64_t cycle;
        std::uint8_t lit;
    };

    explicit SimulatedBoard(const QString& elfPath);
    ~SimulatedBoard();
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    // Empty when the firmware is running, else why not.
    QString loadError() const { return m_loadError; }

    std::uint64_t cycle() const;
    void runUntil(std::uint64_t cycle);
    void runFor(std::uint64_t cycles) { runUntil(cycle() + cycles); }

    // Each byte enters the USART's receiver one byte time after the one before, starting now; the
    // simulation runs to the end of the last one.
    void send(QByteArrayView bytes);

    // A power cycle: the chip starts again and only its EEPROM keeps what it held. The relay
    // changes seen so far are forgotten.
    void reset();

    const std::vector<RelayChange>& relayChanges() const { return m_relayChanges; }
    int ledFlashes() const { return m_ledFlashes; }

    // Every relay pin an output at the level that keeps its relay off.
    bool relaysDrivenOff() const;
    // The receiver's rate as the USART's registers set it.
    double baudRate() const;
    // Cycles spent awake, not in a sleep mode, since the start.
    std::uint64_t awakeCycles() const { return m_awakeCycles; }

private:
    static void portDChanged(avr_irq_t* irq, std::uint32_t value, void* param);
    static void ledChanged(avr_irq_t* irq, std::uint32_t value, void* param);
    std::uint8_t registerAt(std::uint16_t address) const;
    void timeReceivedFrames();

    avr_t* m_avr = nullptr;
    QString m_loadError;
    std::vector<RelayChange> m_relayChanges;
    int m_ledFlashes = 0;
    std::uint64_t m_awakeCycles = 0;
};

} // namespace zorvikta::test
