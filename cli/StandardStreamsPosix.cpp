// SPDX-License-Identifier: GPL-3.0-or-later
// A terminal takes the bytes in the locale's encoding, UTF-8 wherever the tools run.
#include "cli/StandardStreams.h"

namespace zorvikta::platform {

std::unique_ptr<QIODevice> consoleDevice(std::FILE* /*stream*/)
{
    return nullptr;
}

} // namespace zorvikta::platform
