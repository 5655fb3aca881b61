// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupBench.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zorvikta::bench {

namespace {

long long monotonicNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The parent's environment with a home of the child's own, so no settings of the user's count.
std::vector<QByteArray> childEnvironment(const QString& folder)
{
    std::vector<QByteArray> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const QByteArray entry(*variable);
        if (!entry.startsWith("HOME=") && !entry.startsWith("XDG_CONFIG_HOME="))
            variables.push_back(entry);
    }
    const QByteArray home = QFile::encodeName(folder + QStringLiteral("/home"));
    variables.push_back("HOME=" + home);
    variables.push_back("XDG_CONFIG_HOME=" + home + "/.config");
    return variables;
}

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char chunk[256];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got > 0)
            bytes.append(chunk, got);
        else if (got == 0 || errno != EINTR)
            return bytes;
    }
}

} // namespace

std::optional<StartupRun> runToFirstPaint(const QString& program, const QString& folder)
{
    int output[2];
    if (::pipe(output) != 0)
        return std::nullopt;
    const QByteArray path = QFile::encodeName(program);
    const QByteArray directory = QFile::encodeName(folder);
    std::vector<QByteArray> environment = childEnvironment(folder);
    std::vector<char*> environmentPointers;
    for (QByteArray& variable : environment)
        environmentPointers.push_back(variable.data());
    environmentPointers.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(path.constData()), nullptr};

    // The child works in `folder`, where it finds the run file it loads at start.
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, output[0]);
    // What the toolkit says on its way up is of no interest here.
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addchdir_np(&actions, directory.constData());

    const long long started = monotonicNanoseconds();
    pid_t child = -1;
    const int spawned = ::posix_spawn(&child, path.constData(), &actions, nullptr, arguments,
                                      environmentPointers.data());
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(output[0]);
        return std::nullopt;
    }
    const QByteArray printed = readAll(output[0]);
    ::close(output[0]);

    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    bool parsed = false;
    const long long painted = printed.trimmed().toLongLong(&parsed);
    if (!parsed)
        return std::nullopt;
    // ru_maxrss is in KiB on Linux.
    return StartupRun{static_cast<double>(painted - started) / 1e6,
                      static_cast<double>(usage.ru_maxrss) / 1024.0};
}

} // namespace zorvikta::bench
