// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolRun.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

#include <csignal>

namespace zorvikta::test {

// zorvikta-board as a child process whose standard output the test reads line by line.
class BoardProcess {
public:
    explicit BoardProcess(const QStringList& arguments)
    {
        m_process.start(QStringLiteral(ZORVIKTA_BOARD_PATH), arguments);
    }

    ~BoardProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kToolTimeoutMs);
        }
    }

    BoardProcess(const BoardProcess&) = delete;
    BoardProcess& operator=(const BoardProcess&) = delete;

    // The device named on the board's first line; empty when that line did not come.
    QString deviceName()
    {
        const QString prefix = QStringLiteral("listening on ");
        const QString line = nextLine();
        return line.startsWith(prefix) ? line.sliced(prefix.size()) : QString();
    }

    // The next line of output without its line end; empty when none comes in time.
    QString nextLine()
    {
        const QDeadlineTimer deadline(kToolTimeoutMs);
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
                return {};
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    // Reads lines until one contains `text`; false when the output stops first.
    bool reachesLineWith(const QString& text)
    {
        for (QString line = nextLine(); !line.isEmpty(); line = nextLine()) {
            if (line.contains(text))
                return true;
        }
        return false;
    }

    // The next `count` message lines with their time stamps taken off.
    QStringList messages(int count)
    {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << nextLine().section(u' ', 1);
        return lines;
    }

    // Sends the signal and waits: true when the board then ended on its own with exit code 0.
    bool stopsCleanlyOn(int signalNumber)
    {
        ::kill(pid_t(m_process.processId()), signalNumber);
        return m_process.waitForFinished(kToolTimeoutMs) &&
               m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    QByteArray remainingOutput() { return m_process.readAllStandardOutput(); }

private:
    QProcess m_process;
};

} // namespace zorvikta::test
