// SPDX-License-Identifier: GPL-3.0-or-later
// A console reads what a program writes in its output code page, the OEM one (866 in Russia,
// 437 or 850 elsewhere) unless changed: the UTF-8 of a Russian message would come out garbled.
#include "cli/ConsoleText.h"

#include <windows.h>

namespace zorvikta::platform {

namespace {

bool isConsole(DWORD stream)
{
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(stream), &mode) != 0;
}

} // namespace

ConsoleText::ConsoleText()
{
    if (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE))
        return;
    const UINT previous = ::GetConsoleOutputCP();
    if (previous != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
        m_previousCodePage = previous;
}

ConsoleText::~ConsoleText()
{
    if (m_previousCodePage != 0)
        ::SetConsoleOutputCP(m_previousCodePage);
}

} // namespace zorvikta::platform
