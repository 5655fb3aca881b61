// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace zorvikta::test {

// Long enough for a loaded machine; the tools answer a pseudo-terminal within milliseconds.
inline constexpr int kToolTimeoutMs = 10000;

struct ToolRun {
    bool finished = false; // normally, within the time limit
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun
runTool(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    // Line ends as '\n' on every system.
    process.start(program, arguments, QIODevice::ReadWrite | QIODevice::Text);
    ToolRun run;
    run.finished =
        process.waitForFinished(kToolTimeoutMs) && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace zorvikta::test
