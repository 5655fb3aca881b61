// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScopeGuard>

#include <csignal>

#include <sys/resource.h>

// POSIX only: a disk that fills up, made with the file-size limit.
namespace zorvikta::test {

// Until the returned guard goes, files this process writes stop growing at `bytes`: a write
// fails part-way with EFBIG (its signal ignored), as on a disk that fills up.
[[nodiscard]] inline auto limitFileSize(rlim_t bytes)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit capped = old;
    capped.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &capped);
    return qScopeGuard([old, oldHandler] {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    });
}

} // namespace zorvikta::test
