// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/board/MessageDecoder.h"

#include "device/Messages.h"
#include "model/RunRecord.h"

namespace zorvikta {

namespace {

DecodedMessage uploadOf(const QByteArray& message)
{
    QByteArray steps = message.sliced(kUploadHeaderSize);
    const qsizetype end = steps.indexOf(static_cast<char>(kEndMarker));
    if (end >= 0)
        steps.truncate(end);
    return {DecodedMessage::Kind::Upload, steps, 0};
}

} // namespace

std::vector<DecodedMessage> MessageDecoder::feed(QByteArrayView bytes)
{
    std::vector<DecodedMessage> out;
    for (const char byte : bytes)
        take(static_cast<std::uint8_t>(byte), out);
    return out;
}

std::vector<DecodedMessage> MessageDecoder::finish()
{
    std::vector<DecodedMessage> out;
    skipPending(out);
    m_state = State::Hunting;
    return out;
}

void MessageDecoder::skipPending(std::vector<DecodedMessage>& out)
{
    if (!m_pending.isEmpty())
        out.push_back({DecodedMessage::Kind::Skipped, m_pending, 0});
    m_pending.clear();
}

// A header byte where none belongs ends whatever was under way: that is dropped, and the byte
// starts the next message.
void MessageDecoder::startOver(std::vector<DecodedMessage>& out)
{
    skipPending(out);
    m_pending.append(static_cast<char>(kMessageHeader));
    m_state = State::Header;
}

void MessageDecoder::take(std::uint8_t byte, std::vector<DecodedMessage>& out)
{
    switch (m_state) {
    case State::Hunting:
        if (byte == kMessageHeader) {
            startOver(out);
            return;
        }
        m_pending.append(static_cast<char>(byte));
        return;
    case State::Header:
        if (byte == kMessageHeader) {
            startOver(out);
            return;
        }
        m_pending.append(static_cast<char>(byte));
        m_state = byte == kUploadMark ? State::UploadBody : State::SpeedValue;
        return;
    case State::SpeedValue:
        if (byte == kMessageHeader) {
            out.push_back({DecodedMessage::Kind::Speed, {}, std::uint8_t(m_pending.back())});
            m_pending.clear();
            m_state = State::Hunting;
            return;
        }
        m_pending.append(static_cast<char>(byte));
        m_state = State::Hunting;
        return;
    case State::UploadBody:
        // No step byte is ever a header byte: one here means the upload was cut short.
        if (byte == kMessageHeader) {
            startOver(out);
            return;
        }
        m_pending.append(static_cast<char>(byte));
        if (m_pending.size() == kUploadMessageSize) {
            out.push_back(uploadOf(m_pending));
            m_pending.clear();
            m_state = State::Hunting;
        }
        return;
    }
}

} // namespace zorvikta
