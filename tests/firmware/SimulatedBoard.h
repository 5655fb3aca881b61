// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

struct avr_t;
struct avr_irq_t;
struct avr_uart_t;

namespace zorvikta::test {

// The board's firmware running cycle by cycle on a simulated ATmega328P at 16 MHz: bytes go into
// its USART at the line's pace, and every change of the relay pins is kept with its cycle. As on
// the chip, the receiver holds two bytes (a third is lost to an overrun), and an EEPROM write
// keeps the EEPROM busy for 3.4 ms; the power can be cut during any write.
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

    static constexpr int kEepromSize = 1024;

    // Each byte enters the USART's receiver one byte time after the one before, starting now; the
    // simulation runs to the end of the last one, or to a power cut. The bytes at the indices in
    // `broken` arrive with a framing error.
    void send(QByteArrayView bytes, const QList<int>& broken = {});

    // Write `count` of the EEPROM writes from now on is torn: the power goes while it is under
    // way, the cell holding neither its old value nor the new one, and the simulation stops.
    void cutPowerDuringWrite(int count);
    bool powerCut() const { return m_powerCut; }

    QByteArray eeprom() const;
    void setEeprom(const QByteArray& image);
    // EEPROM writes since the start, and the most any one cell had.
    int eepromWrites() const { return m_eepromWrites; }
    int mostWritesToACell() const;

    // A power cycle: the chip starts again and only its EEPROM keeps what it held. The relay
    // changes seen so far are forgotten.
    void reset();

    // Stops the CPU where it is, interrupts off, as a fault in the firmware would.
    void hang();

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
    static void eepromControlWritten(avr_t* avr, std::uint16_t address, std::uint8_t value,
                                     void* param);
    static std::uint64_t eepromReady(avr_t* avr, std::uint64_t when, void* param);
    static std::uint64_t byteReceived(avr_t* avr, std::uint64_t when, void* param);
    std::uint8_t registerAt(std::uint16_t address) const;
    avr_uart_t* uart() const;

    avr_t* m_avr = nullptr;
    QString m_loadError;
    std::vector<RelayChange> m_relayChanges;
    int m_ledFlashes = 0;
    std::uint64_t m_awakeCycles = 0;
    QByteArray m_eepromBefore; // the cells as they were before the write under way
    std::vector<int> m_cellWrites = std::vector<int>(kEepromSize);
    int m_eepromWrites = 0;
    int m_writesUntilCut = 0; // 0: no cut is coming
    bool m_powerCut = false;
    bool m_overrun = false;       // a byte was lost: the next one received is marked broken
    std::uint32_t m_arriving = 0; // the byte on the line, with its framing error flag
};

} // namespace zorvikta::test
