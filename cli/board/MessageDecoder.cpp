// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/board/MessageDecoder.h"

namespace zorvikta {

namespace {

DecodedMessage uploadOf(const QByteArray& message)
{
    const QByteArray steps = message.sliced(kUploadHeaderSize);
    const int length =
        patternLength(reinterpret_cast<const std::uint8_t*>(steps.constData()), kUploadStepCount);
    return {DecodedMessage::Kind::Upload, steps.first(length), 0};
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
    m_reader.reset();
    return out;
}

void MessageDecoder::skipPending(std::vector<DecodedMessage>& out)
{
    if (!m_pending.isEmpty())
        out.push_back({DecodedMessage::Kind::Skipped, m_pending, 0});
    m_pending.clear();
}

void MessageDecoder::take(std::uint8_t byte, std::vector<DecodedMessage>& out)
{
    switch (m_reader.take(byte)) {
    case MessageReader::Event::Restart:
        skipPending(out);
        m_pending.append(static_cast<char>(byte));
        return;
    case MessageReader::Event::Held:
    case MessageReader::Event::Step:
        m_pending.append(static_cast<char>(byte));
        return;
    case MessageReader::Event::Upload:
        m_pending.append(static_cast<char>(byte));
        out.push_back(uploadOf(m_pending));
        m_pending.clear();
        return;
    case MessageReader::Event::Refused:
        m_pending.append(static_cast<char>(byte));
        skipPending(out);
        return;
    case MessageReader::Event::Speed:
        out.push_back({DecodedMessage::Kind::Speed, {}, m_reader.speed()});
        m_pending.clear();
        return;
    }
}

} // namespace zorvikta
