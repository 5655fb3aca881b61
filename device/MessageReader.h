// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Freestanding (<stdint.h> only, C++14 at most, no heap): the board's firmware decodes its line
// with this very reader, and so does the virtual board, so the two cannot read a stream apart.
#include "device/WireFormat.h"
#include "model/StepBytes.h"

#include <stdint.h>

namespace zorvikta {

// Reads the board's side of the line one byte at a time: upload and speed messages. Whatever
// does not fit a message is dropped up to the next header byte, where decoding starts afresh.
// It keeps no bytes itself; each byte's event tells the caller what to do with it.
class MessageReader {
public:
    enum class Event : uint8_t {
        Held,    // part of what is under way: a message so far, or garbage
        Restart, // a header byte where none belongs: what was held is dropped, this byte starts
                 // the next message
        Step,    // step byte stepIndex() of an upload; more follow
        Upload,  // the last step byte, at stepIndex(): the upload is complete
        Speed,   // the closing header byte of a speed message, whose value is speed()
    };

    constexpr Event take(uint8_t byte)
    {
        switch (m_state) {
        case State::Hunting:
            return byte == kMessageHeader ? restart() : Event::Held;
        case State::Header:
            if (byte == kMessageHeader)
                return restart();
            m_value = byte;
            m_steps = 0;
            m_state = byte == kUploadMark ? State::UploadBody : State::SpeedValue;
            return Event::Held;
        case State::SpeedValue:
            m_state = State::Hunting;
            return byte == kMessageHeader ? Event::Speed : Event::Held;
        case State::UploadBody:
            // No step byte is ever a header byte: one here means the upload was cut short.
            if (byte == kMessageHeader)
                return restart();
            m_stepIndex = m_steps++;
            if (m_steps < kUploadStepCount)
                return Event::Step;
            m_state = State::Hunting;
            return Event::Upload;
        }
        return Event::Held;
    }

    constexpr uint8_t speed() const { return m_value; }
    constexpr int stepIndex() const { return m_stepIndex; }

    // Waits for a header byte again, as after garbage.
    constexpr void reset() { m_state = State::Hunting; }

private:
    enum class State : uint8_t {
        Hunting,    // waiting for a header byte
        Header,     // a header byte came; the next byte tells the kind
        SpeedValue, // header and speed came; the closing header byte must follow
        UploadBody, // header and upload mark came; step bytes follow
    };

    constexpr Event restart()
    {
        m_state = State::Header;
        return Event::Restart;
    }

    State m_state = State::Hunting;
    uint8_t m_value = 0; // the byte after the header: the speed, or the upload mark
    int m_steps = 0;     // step bytes of the upload so far
    int m_stepIndex = 0;
};

// The pattern in an upload's step bytes: how many come before the first end marker.
constexpr int patternLength(const uint8_t* steps, int count)
{
    int length = 0;
    while (length < count && steps[length] != kEndMarker)
        ++length;
    return length;
}

} // namespace zorvikta
