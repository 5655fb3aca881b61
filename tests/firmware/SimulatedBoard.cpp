// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedBoard.h"

#include <QFile>

#include <simavr/avr_eeprom.h>
#include <simavr/avr_ioport.h>
#include <simavr/avr_uart.h>
#include <simavr/sim_avr.h>
#include <simavr/sim_cycle_timers.h>
#include <simavr/sim_elf.h>
#include <simavr/sim_io.h>

#include <algorithm>
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
constexpr std::uint16_t kEecr = 0x3F;
constexpr std::uint16_t kEearL = 0x41;
constexpr std::uint16_t kEearH = 0x42;
constexpr std::uint8_t kEepromWriteBits = 0x06; // EEMPE and EEPE: a write starts
constexpr std::uint8_t kEepromBusyBit = 0x02;   // EEPE, until the write is done
constexpr std::uint32_t kEepromWriteUs = 3400;
// The USART's receive buffer: two bytes wait there while a third comes in.
constexpr int kReceiveBufferBytes = 2;
constexpr std::uint8_t kRelayPins = 0x3C;     // D2 to D5
constexpr std::size_t kWorkingRegisters = 32; // r0 to r31, at the start of the data space

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

// Received and not yet read.
int waitingBytes(const uart_fifo_t& fifo)
{
    return (fifo.write + uart_fifo_fifo_size - fifo.read) & (uart_fifo_fifo_size - 1);
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
    // After the simulator's own EEPROM code, which writes the cell at once.
    avr_register_io_write(m_avr, kEecr, eepromControlWritten, this);
    m_eepromBefore = eeprom();
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
    while (m_avr->cycle < cycle && !m_powerCut) {
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

avr_uart_t* SimulatedBoard::uart() const
{
    for (avr_io_t* io = m_avr->io_port; io != nullptr; io = io->next) {
        if (std::strcmp(io->kind, "uart") == 0)
            return reinterpret_cast<avr_uart_t*>(io);
    }
    return nullptr;
}

// The simulator would hold a byte back for a frame of its own after it is handed over, and keep
// any number waiting. Here each byte is handed over once its frame (start bit, 8 data bits, stop
// bit, at the rate the firmware's divider gives) has passed on the line, and ready at once; a
// byte that finds the receive buffer full is lost. The chip flags the overrun on the byte before
// the gap; the simulator can flag only a byte it receives, so the next one carries it.
void SimulatedBoard::send(QByteArrayView bytes, const QList<int>& broken)
{
    uart()->cycles_per_byte = 1;
    const auto frame = static_cast<std::uint64_t>(double(kClockHz) * 10 / baudRate());
    for (qsizetype index = 0; index < bytes.size() && !m_powerCut; ++index) {
        const std::uint64_t start = m_avr->cycle;
        m_arriving = static_cast<std::uint8_t>(bytes[index]) |
                     (broken.contains(int(index)) ? std::uint32_t(UART_INPUT_FE) : 0);
        avr_cycle_timer_register(m_avr, frame, byteReceived, this);
        runUntil(start + kCyclesPerByte);
    }
}

std::uint64_t SimulatedBoard::byteReceived(avr_t* avr, std::uint64_t, void* param)
{
    auto* board = static_cast<SimulatedBoard*>(param);
    if (waitingBytes(board->uart()->input) >= kReceiveBufferBytes) {
        board->m_overrun = true;
        return 0;
    }
    const std::uint32_t flag = board->m_overrun ? std::uint32_t(UART_INPUT_FE) : 0;
    board->m_overrun = false;
    avr_raise_irq(avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT),
                  board->m_arriving | flag);
    return 0;
}

void SimulatedBoard::cutPowerDuringWrite(int count)
{
    m_writesUntilCut = count;
}

QByteArray SimulatedBoard::eeprom() const
{
    QByteArray image(kEepromSize, '\0');
    avr_eeprom_desc_t desc{reinterpret_cast<std::uint8_t*>(image.data()), 0, kEepromSize};
    avr_ioctl(m_avr, AVR_IOCTL_EEPROM_GET, &desc);
    return image;
}

void SimulatedBoard::setEeprom(const QByteArray& image)
{
    QByteArray copy = image;
    avr_eeprom_desc_t desc{reinterpret_cast<std::uint8_t*>(copy.data()), 0,
                           std::uint32_t(copy.size())};
    avr_ioctl(m_avr, AVR_IOCTL_EEPROM_SET, &desc);
    m_eepromBefore = eeprom();
}

int SimulatedBoard::mostWritesToACell() const
{
    return *std::max_element(m_cellWrites.begin(), m_cellWrites.end());
}

void SimulatedBoard::hang()
{
    // An endless jump to itself, in flash the firmware does not use.
    constexpr std::uint32_t kSpinAt = 0x7000;
    m_avr->flash[kSpinAt] = 0xFF;
    m_avr->flash[kSpinAt + 1] = 0xCF;
    m_avr->sreg[S_I] = 0;
    m_avr->pc = kSpinAt;
    m_avr->state = cpu_Running;
}

void SimulatedBoard::eepromControlWritten(avr_t* avr, std::uint16_t, std::uint8_t value,
                                          void* param)
{
    if ((value & kEepromWriteBits) != kEepromWriteBits)
        return;
    auto* board = static_cast<SimulatedBoard*>(param);
    const int address = (avr->data[kEearL] | (avr->data[kEearH] << 8)) % kEepromSize;
    QByteArray now = board->eeprom();
    ++board->m_eepromWrites;
    ++board->m_cellWrites[std::size_t(address)];
    if (board->m_writesUntilCut != 0 && --board->m_writesUntilCut == 0) {
        // Partly erased, partly written.
        now[address] = char(board->m_eepromBefore.at(address) | now.at(address));
        board->setEeprom(now);
        board->m_powerCut = true;
        return;
    }
    board->m_eepromBefore = now;
    avr->data[kEecr] |= kEepromBusyBit;
    avr_cycle_timer_register_usec(avr, kEepromWriteUs, eepromReady, board);
}

std::uint64_t SimulatedBoard::eepromReady(avr_t* avr, std::uint64_t, void*)
{
    avr->data[kEecr] &= static_cast<std::uint8_t>(~kEepromBusyBit);
    return 0;
}

void SimulatedBoard::reset()
{
    m_powerCut = false;
    m_writesUntilCut = 0;
    m_overrun = false;
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
