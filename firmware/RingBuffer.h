// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdint.h>

namespace zorvikta {

// A byte queue between one interrupt that writes and the main loop that reads. Each side moves
// only its own index, and a one-byte index is written in one instruction, so neither side needs
// to switch interrupts off. A full queue drops the newest byte.
template <uint8_t Size> class RingBuffer {
    static_assert(Size != 0 && (Size & (Size - 1)) == 0, "the indices wrap by masking");

public:
    // From the interrupt.
    void push(uint8_t byte)
    {
        const uint8_t next = static_cast<uint8_t>((m_head + 1) & (Size - 1));
        if (next == m_tail)
            return;
        m_bytes[m_head] = byte;
        m_head = next;
    }

    // From the main loop; false when empty.
    bool pop(uint8_t& byte)
    {
        if (m_tail == m_head)
            return false;
        byte = m_bytes[m_tail];
        m_tail = static_cast<uint8_t>((m_tail + 1) & (Size - 1));
        return true;
    }

    bool isEmpty() const { return m_tail == m_head; }

private:
    volatile uint8_t m_bytes[Size] = {};
    volatile uint8_t m_head = 0;
    volatile uint8_t m_tail = 0;
};

} // namespace zorvikta
