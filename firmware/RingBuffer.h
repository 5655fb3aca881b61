// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdint.h>

namespace zorvikta {

// A queue between one interrupt that writes and the main loop that reads. Each side moves only
// its own index, and a one-byte index is written in one instruction, so neither side needs to
// switch interrupts off. A full queue drops the newest entry.
template <typename Entry, uint8_t Size> class RingBuffer {
    static_assert(Size != 0 && (Size & (Size - 1)) == 0, "the indices wrap by masking");

public:
    // From the interrupt.
    void push(Entry entry)
    {
        const uint8_t next = static_cast<uint8_t>((m_head + 1) & (Size - 1));
        if (next == m_tail)
            return;
        m_entries[m_head] = entry;
        m_head = next;
    }

    // From the main loop; false when empty.
    bool pop(Entry& entry)
    {
        if (m_tail == m_head)
            return false;
        entry = m_entries[m_tail];
        m_tail = static_cast<uint8_t>((m_tail + 1) & (Size - 1));
        return true;
    }

    bool isEmpty() const { return m_tail == m_head; }

private:
    volatile Entry m_entries[Size] = {};
    volatile uint8_t m_head = 0;
    volatile uint8_t m_tail = 0;
};

} // namespace zorvikta
