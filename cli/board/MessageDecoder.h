// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/board/DecodedMessage.h"
#include "protocol/MessageReader.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace zorvikta {

// Reads the board's side of the line: upload and speed messages, in pieces as they arrive.
// Whatever does not fit a message is dropped up to the next header byte, where decoding starts
// afresh, and reported as skipped once that byte shows where the garbage ended; so is an upload
// or a speed out of the form the program sends, whole, as the real board drops it. The decoding
// itself is the firmware's MessageReader; this keeps the bytes to report them.
class MessageDecoder {
public:
    std::vector<DecodedMessage> feed(QByteArrayView bytes);

    // Reports a message cut off by the end of the stream, or garbage not yet followed by a
    // header byte, as skipped; the decoder then waits for a header byte again.
    std::vector<DecodedMessage> finish();

private:
    void take(std::uint8_t byte, std::vector<DecodedMessage>& out);
    void skipPending(std::vector<DecodedMessage>& out);

    MessageReader m_reader;
    QByteArray m_pending; // the bytes of the message under way, or the garbage so far
};

} // namespace zorvikta
