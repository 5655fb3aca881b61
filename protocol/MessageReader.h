// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Freestanding (<stdint.h> only, C++14 at most, no heap): the board's firmware decodes its line
// with this very reader, and so does the virtual board, so the two cannot read a stream apart.
// What it accepts is what the program sends: noise on the line rarely takes that form.
#include "model/StepBytes.h"
#include "protocol/WireFormat.h"

#include <stdint.h>

namespace zorvikta {

// Reads the board's side of the line one byte at a time: upload and speed messages. Whatever
// does not fit a message is dropped up to the next header byte, where decoding starts afresh.
// It keeps no bytes itself; each byte's event tells the caller what to do with it.
//
// An upload counts only in the form the program gives it: lamp bits alone before the first end
// marker, that marker at index kLongestPattern or earlier, and end markers alone from it to the
// last byte. A speed counts only from kSlowestSpeed to kFastestSpeed. Anything else complete is
// refused whole.
class MessageReader {
public:
    enum class Event : uint8_t {
        Held,    // part of what is under way: a message so far, or garbage
        Restart, // a header byte where none belongs: what was held is dropped, this byte starts
                 // the next message
        Step,    // step byte stepIndex() of an upload; more follow
        Upload,  // the last step byte, at stepIndex(): the upload is complete
        Speed,   // the closing header byte of a speed message, whose value is speed()
        Refused, // the last byte of an upload or speed message out of its form: all of it is
                 // dropped
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
            m_ended = false;
            m_inForm = true;
            m_state = byte == kUploadMark ? State::UploadBody : State::SpeedValue;
            return Event::Held;
        case State::SpeedValue:
            m_state = State::Hunting;
            if (byte != kMessageHeader)
                return Event::Held;
            return isSpeedInRange(m_value) ? Event::Speed : Event::Refused;
        case State::UploadBody:
            // No step byte is ever a header byte: one here means the upload was cut short.
            if (byte == kMessageHeader)
                return restart();
            checkForm(byte);
            m_stepIndex = m_steps++;
            if (m_steps < kUploadStepCount)
                return Event::Step;
            m_state = State::Hunting;
            return m_inForm ? Event::Upload : Event::Refused;
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

    // Step byte m_steps of the upload under way.
    constexpr void checkForm(uint8_t byte)
    {
        if (m_ended) {
            if (byte != kEndMarker)
                m_inForm = false;
        } else if (byte == kEndMarker) {
            m_ended = true;
        } else if ((byte & ~kLampBits) != 0 || m_steps == kLongestPattern) {
            m_inForm = false;
        }
    }

    State m_state = State::Hunting;
    uint8_t m_value = 0; // the byte after the header: the speed, or the upload mark
    int m_steps = 0;     // step bytes of the upload so far
    int m_stepIndex = 0;
    bool m_ended = false; // the upload's first end marker came
    bool m_inForm = true; // and every step byte so far fits the upload's form
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
