// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ProcessMemory.h"

#include <windows.h>

#include <psapi.h>

namespace zorvikta::test {

qint64 residentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<qint64>(counters.WorkingSetSize / 1024);
}

} // namespace zorvikta::test
