// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StandardStreams.h"

#include <QFile>

namespace zorvikta::cli {

namespace {

std::unique_ptr<QIODevice> openStandardStream(std::FILE* stream)
{
    if (auto console = platform::consoleDevice(stream))
        return console;
    auto file = std::make_unique<QFile>();
    file->open(stream, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    return file;
}

} // namespace

QIODevice* standardOutput()
{
    static const std::unique_ptr<QIODevice> device = openStandardStream(stdout);
    return device.get();
}

QIODevice* standardError()
{
    static const std::unique_ptr<QIODevice> device = openStandardStream(stderr);
    return device.get();
}

} // namespace zorvikta::cli
