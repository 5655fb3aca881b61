// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tools write UTF-8. While this lives, a console shows those bytes as the letters they are:
// on Windows a console reads them in its output code page, which is set to UTF-8 for the tool's
// run and set back when the tool ends, so the command prompt goes on as it was. Output redirected
// to a file or a pipe, and every terminal elsewhere, take the UTF-8 as it is.
namespace zorvikta::platform {

class ConsoleText {
public:
    ConsoleText();
    ~ConsoleText();
    ConsoleText(const ConsoleText&) = delete;
    ConsoleText& operator=(const ConsoleText&) = delete;

private:
    [[maybe_unused]] unsigned m_previousCodePage = 0; // 0: nothing to set back
};

} // namespace zorvikta::platform
