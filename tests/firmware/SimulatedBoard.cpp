// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedBoard.h"

#include <QFile>

#include <simavr/avr_ioport.h>
#include <simavr/avr_uart.h>
#include <simavr/sim_avr.h>
#include <simavr/sim_elf.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zorvikta::test {

namespace {

constexpr int kLedPin = 5; // B5, the Nano's D13
// ATmega328P data-space addresses, from its datasheet.
constexpr std::uint16_t kDdrD = 0x2A;
constexpr std::uint16_t kPortD = 0x2B;
constexpr std::uint16_t kUcsr0A = 0xC0;
constexpr std::uint16_t kUbrr0L = 0xC4;
constexpr std::uint16_t kUbrr0H = 0xC5;
constexpr std::uint8_t kDoubleSpeedBit = 0x02; // U2X0 in UCSR0A
constexpr std::uint8_t kRelayPins = 0x3C;      // D2 to D5
constexpr std::size_t kWorkingRegisters = 32;  // r0 to r31, at the start of the data space

// Relay 1 on D2 is bit 7 of a step byte, relay 4 on D5 bit 4. A relay is on when its pin is an
// output driven low; an input pin floats, which a relay module's pull-up reads as off.
std::uint8_t litFromPins(std::uint8_t directions, std::uint8_t levels)
{
    std::uint8_t lit = 0;
    for (int relay = 0; relay < 4; ++relay) {
        const unsigned pin = 1u << (2 + relay);
        if ((directions & pin) != 0 && (levels & pin) == 0)
            lit |= static_cast<std::uint8_t>(0x80u >> relay);
    }
    return lit;
}

// The simulator would otherwise pace itself to the wall clock whenever the chip sleeps.
void skipSleep(avr_t*, avr_cycle_count_t) {}

// The chip has its own copy of the program once loaded; the file's image goes. (Its symbols stay:
// the simulator may keep pointers to them for tracing.)
void releaseImage(elf_firmware_t& firmware)
{
    std::free(firmware.flash);
    std::free(firmware.eeprom);
}

// Only the simulator's errors; it reports every section it loads otherwise.
void logErrors(avr_t*, int level, const char* format, va_list arguments)
{
    if (level <= LOG_ERROR)
        std::vfprintf(stderr, format, arguments);
}

} // namespace

SimulatedBoard::SimulatedBoard(const QString& elfPath)
{
    avr_global_logger_set(logErrors);
    elf_firmware_t firmware{};
    const QByteArray path = QFile::encodeName(elfPath);
    if (elf_read_firmware(path.constData(), &firmware) != 0) {
        m_loadError = QStringLiteral("cannot read %1").arg(elfPath);
        return;
    }
    // The firmware names no chip for the simulator; it is built for this one.
    std::strncpy(firmware.mmcu, "atmega328p", sizeof firmware.mmcu - 1);
    firmware.frequency = kClockHz;
    m_avr = avr_make_mcu_by_name(firmware.mmcu);
    if (m_avr == nullptr) {
        m_loadError = QStringLiteral("the simulator has no ATmega328P");
        return;
    }
    avr_init(m_avr);
    avr_load_firmware(m_avr, &firmware);
    releaseImage(firmware);
    m_avr->sleep = skipSleep;

    std::uint32_t uartFlags = 0;
    avr_ioctl(m_avr, AVR_IOCTL_UART_GET_FLAGS('0'), &uartFlags);
    uartFlags &= ~std::uint32_t(AVR_UART_FLAG_STDIO | AVR_UART_FLAG_POLL_SLEEP);
    avr_ioctl(m_avr, AVR_IOCTL_UART_SET_FLAGS('0'), &uartFlags);

    for (const int irq : {IOPORT_IRQ_PIN_ALL, IOPORT_IRQ_DIRECTION_ALL})
        avr_irq_register_notify(avr_io_getirq(m_avr, AVR_IOCTL_IOPORT_GETIRQ('D'), irq),
                                portDChanged, this);
    avr_irq_register_notify(avr_io_getirq(m_avr, AVR_IOCTL_IOPORT_GETIRQ('B'), kLedPin), ledChanged,
                            this);
}

SimulatedBoard::~SimulatedBoard()
{
    if (m_avr == nullptr)
        return;
    avr_terminate(m_avr);
    std::free(m_avr);
}

std::uint64_t SimulatedBoard::cycle() const
{
    return m_avr->cycle;
}

void SimulatedBoard::runUntil(std::uint64_t cycle)
{
    while (m_avr->cycle < cycle) {
        const std::uint64_t before = m_avr->cycle;
        const bool wasRunning = m_avr->state == cpu_Running;
        const int state = avr_run(m_avr);
        // One call may run the sleep instruction and then skip the time asleep.
        if (wasRunning)
            m_awakeCycles += state == cpu_Running ? m_avr->cycle - before : 1;
        if (state == cpu_Done || state == cpu_Crashed)
            return;
    }
}

// The simulator times a received byte as 11 bit times, a parity bit counted even where the frame
// has none; left so, bytes sent at the line's pace pile up in its receiver and arrive ever later.
// Set to the frame the firmware chose (start bit, 8 data bits, stop bit) at the rate its divider
// gives, so each byte is ready for the firmware one frame after it started on the line.
void SimulatedBoard::timeReceivedFrames()
{
    for (avr_io_t* io = m_avr->io_port; io != nullptr; io = io->next) {
        if (std::strcmp(io->kind, "uart") != 0)
            continue;
        auto* uart = reinterpret_cast<avr_uart_t*>(io);
        uart->cycles_per_byte = static_cast<avr_cycle_count_t>(double(kClockHz) * 10 / baudRate());
    }
}

void SimulatedBoard::send(QByteArrayView bytes)
{
    timeReceivedFrames();
    avr_irq_t* input = avr_io_getirq(m_avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT);
    for (const char byte : bytes) {
        const std::uint64_t next = m_avr->cycle + kCyclesPerByte;
        avr_raise_irq(input, static_cast<std::uint8_t>(byte));
        runUntil(next);
    }
}

void SimulatedBoard::reset()
{
    avr_reset(m_avr);
    // A chip's working registers hold anything after a reset; the simulator clears them, which
    // would hide code that takes one for zero before the start-up code has cleared it.
    std::memset(m_avr->data, 0xFF, kWorkingRegisters);
    m_relayChanges.clear();
}

std::uint8_t SimulatedBoard::registerAt(std::uint16_t address) const
{
    return m_avr->data[address];
}

bool SimulatedBoard::relaysDrivenOff() const
{
    return (registerAt(kDdrD) & kRelayPins) == kRelayPins &&
           (registerAt(kPortD) & kRelayPins) == kRelayPins;
}

double SimulatedBoard::baudRate() const
{
    const int divider = registerAt(kUbrr0L) | (registerAt(kUbrr0H) << 8);
    const int clocksPerBit = (registerAt(kUcsr0A) & kDoubleSpeedBit) != 0 ? 8 : 16;
    return double(kClockHz) / (clocksPerBit * (divider + 1));
}

// Reads the registers rather than the notice's value, which carries only one of the two.
void SimulatedBoard::portDChanged(avr_irq_t*, std::uint32_t, void* param)
{
    auto* board = static_cast<SimulatedBoard*>(param);
    const std::uint8_t lit = litFromPins(board->registerAt(kDdrD), board->registerAt(kPortD));
    if (!board->m_relayChanges.empty() && board->m_relayChanges.back().lit == lit)
        return;
    board->m_relayChanges.push_back({board->m_avr->cycle, lit});
}

void SimulatedBoard::ledChanged(avr_irq_t*, std::uint32_t value, void* param)
{
    if (value != 0)
        ++static_cast<SimulatedBoard*>(param)->m_ledFlashes;
}

} // namespace zorvikta::test
