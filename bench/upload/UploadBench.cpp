// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadBench.h"

#include "bench/support/Statistics.h"
#include "device/SerialPortLink.h"
#include "device/UploadSequence.h"
#include "model/RunRecord.h"

#include <QElapsedTimer>
#include <QFile>

#include <array>
#include <climits>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zorvikta::bench {

namespace {

constexpr int kArrivalTimeoutMs = 5000;

// Reads the master until `count` bytes have arrived or the line goes quiet.
QByteArray receive(int master, int count)
{
    QByteArray bytes;
    while (bytes.size() < count) {
        pollfd request{master, POLLIN, 0};
        if (::poll(&request, 1, kArrivalTimeoutMs) <= 0)
            break;
        std::array<char, 512> chunk{};
        const ssize_t got = ::read(master, chunk.data(), chunk.size());
        if (got <= 0)
            break;
        bytes.append(chunk.data(), got);
    }
    return bytes;
}

RunRecord samplePattern()
{
    RunRecord record{};
    for (int step = 0; step < kStepCount; ++step)
        record[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>((step * 5 % 16) << 4);
    return record;
}

} // namespace

std::optional<UploadFigures> measureUpload(int transfers)
{
    int master = -1;
    int slave = -1;
    std::array<char, PATH_MAX> name{};
    if (::openpty(&master, &slave, name.data(), nullptr, nullptr) != 0)
        return std::nullopt;
    termios raw{};
    ::tcgetattr(master, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master, TCSANOW, &raw);

    const QString device = QFile::decodeName(name.data());
    const QByteArray message = uploadSequence(samplePattern(), kMaxLength).upload;
    SerialPortLink link;
    std::vector<double> transferMs;
    UploadFigures figures{transfers, 0.0, 0.0, 0, 0};
    for (int run = 0; run < transfers; ++run) {
        QElapsedTimer clock;
        clock.start();
        const auto error = link.send(device, message);
        transferMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (error)
            ++figures.failed;
        else if (receive(master, kUploadMessageSize) != message)
            ++figures.garbled;
    }
    ::close(slave);
    ::close(master);
    figures.medianMs = median(transferMs);
    figures.p90Ms = percentile(transferMs, 0.9);
    return figures;
}

} // namespace zorvikta::bench
