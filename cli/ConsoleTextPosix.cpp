// SPDX-License-Identifier: GPL-3.0-or-later
// A terminal takes the bytes in the locale's encoding, UTF-8 wherever the program runs.
#include "cli/ConsoleText.h"

namespace zorvikta::platform {

ConsoleText::ConsoleText() = default;

ConsoleText::~ConsoleText() = default;

} // namespace zorvikta::platform
