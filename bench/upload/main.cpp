// SPDX-License-Identifier: GPL-3.0-or-later
// Times one upload end to end against a pseudo-terminal and sets it beside the wire time.
#include "UploadBench.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace zorvikta::bench;

namespace {

constexpr int kTransfers = 20;
constexpr double kTargetMs = 20.0;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const std::optional<UploadFigures> figures = measureUpload(kTransfers);
    if (!figures) {
        QTextStream(stderr) << "cannot open a pseudo-terminal\n";
        return 1;
    }
    const double median = figures->medianMs;
    const double p90 = figures->p90Ms;
    out << "Upload of " << zorvikta::kUploadMessageSize << " bytes to a pseudo-terminal, "
        << kTransfers << " transfers (open, configure, write, drain, close)\n\n";
    out << "| measure | median ms | p90 ms |\n";
    out << "|---|---:|---:|\n";
    out << "| transfer to the pseudo-terminal = our overhead | " << QString::number(median, 'f', 2)
        << " | " << QString::number(p90, 'f', 2) << " |\n";
    out << "| wire time at 1200 baud (not imposed by a pseudo-terminal) | "
        << QString::number(kUploadWireMs, 'f', 2) << " | " << QString::number(kUploadWireMs, 'f', 2)
        << " |\n";
    out << "| expected on a real line (wire time + overhead) | "
        << QString::number(kUploadWireMs + median, 'f', 2) << " | "
        << QString::number(kUploadWireMs + p90, 'f', 2) << " |\n\n";
    out << "Target for our overhead: < " << QString::number(kTargetMs, 'f', 0) << " ms; median "
        << (median < kTargetMs ? "within" : "OVER") << " target, p90 "
        << (p90 < kTargetMs ? "within" : "OVER") << " target.\n";
    if (figures->failed > 0 || figures->garbled > 0)
        out << "Transfers failed: " << figures->failed << ", arrived altered: " << figures->garbled
            << ".\n";
    return 0;
}
