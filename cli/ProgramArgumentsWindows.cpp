// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments are the wide strings of the command line, split by the system's own rules: every
// letter survives whatever the ANSI code page, and the bytes of argv are never looked at.
#include "cli/ProgramArguments.h"

#include <memory>

#include <windows.h>

#include <shellapi.h>

namespace zorvikta::platform {

QStringList programArguments(int argc, const char* const* argv)
{
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    QStringList arguments;
    // Without memory to split the line, the code page's letters are better than nothing.
    if (!wide) {
        for (int index = 0; index < argc; ++index)
            arguments << QString::fromLocal8Bit(argv[index]);
        return arguments;
    }
    for (int index = 0; index < count; ++index)
        arguments << QString::fromWCharArray(wide.get()[index]);
    return arguments;
}

QHash<QString, QString> undecodableProgramArguments(int /*argc*/, const char* const* /*argv*/)
{
    return {};
}

} // namespace zorvikta::platform
