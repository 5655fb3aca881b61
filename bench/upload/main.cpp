// Times one upload end to end (open, configure, write, drain, close) against a pseudo-terminal,
// which takes the bytes at once: what it measures is the program's own cost per transfer, to be
// set beside the second that 120 bytes need on a real 1200-baud line.

#include "device/Messages.h"
#include "device/QtSerialLink.h"
#include "model/RunRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace zorvikta;

namespace {

constexpr int kTransfers = 20;
constexpr double kWireMs = kUploadMessageSize * 10 * 1000.0 / 1200.0;
constexpr double kTargetMs = 20.0;
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

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const double rank = fraction * double(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const auto above = static_cast<std::size_t>(std::ceil(rank));
    return values[below] + (values[above] - values[below]) * (rank - double(below));
}

RunRecord samplePattern()
{
    RunRecord record{};
    for (int step = 0; step < kStepCount; ++step)
        record[step] = static_cast<std::uint8_t>((step * 5 % 16) << 4);
    normalise(record, 100);
    return record;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    int master = -1;
    int slave = -1;
    std::array<char, PATH_MAX> name{};
    if (::openpty(&master, &slave, name.data(), nullptr, nullptr) != 0) {
        QTextStream(stderr) << "cannot open a pseudo-terminal\n";
        return 1;
    }
    termios raw{};
    ::tcgetattr(master, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master, TCSANOW, &raw);

    const QString device = QFile::decodeName(name.data());
    const QByteArray message = uploadMessage(samplePattern());
    QtSerialLink link;
    std::vector<double> transferMs;
    int failed = 0;
    int garbled = 0;
    for (int run = 0; run < kTransfers; ++run) {
        QElapsedTimer clock;
        clock.start();
        const auto error = link.send(device, message);
        transferMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (error)
            ++failed;
        else if (receive(master, kUploadMessageSize) != message)
            ++garbled;
    }
    ::close(slave);
    ::close(master);

    const double median = percentile(transferMs, 0.5);
    const double p90 = percentile(transferMs, 0.9);
    out << "Upload of " << kUploadMessageSize << " bytes to a pseudo-terminal, " << kTransfers
        << " transfers (open, configure, write, drain, close)\n\n";
    out << "| measure | median ms | p90 ms |\n";
    out << "|---|---:|---:|\n";
    out << "| transfer to the pseudo-terminal = our overhead | " << QString::number(median, 'f', 2)
        << " | " << QString::number(p90, 'f', 2) << " |\n";
    out << "| wire time at 1200 baud (not imposed by a pseudo-terminal) | "
        << QString::number(kWireMs, 'f', 2) << " | " << QString::number(kWireMs, 'f', 2) << " |\n";
    out << "| expected on a real line (wire time + overhead) | "
        << QString::number(kWireMs + median, 'f', 2) << " | "
        << QString::number(kWireMs + p90, 'f', 2) << " |\n\n";
    out << "Target for our overhead: < " << QString::number(kTargetMs, 'f', 0) << " ms; median "
        << (median < kTargetMs ? "within" : "OVER") << " target, p90 "
        << (p90 < kTargetMs ? "within" : "OVER") << " target.\n";
    if (failed > 0 || garbled > 0)
        out << "Transfers failed: " << failed << ", arrived altered: " << garbled << ".\n";
    return 0;
}
