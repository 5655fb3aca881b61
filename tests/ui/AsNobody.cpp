// SPDX-License-Identifier: GPL-3.0-or-later
#include "AsNobody.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace zorvikta::test {

namespace {

const QString kChildMark = QStringLiteral("ZORVIKTA_TEST_AS_NOBODY");
constexpr int kChildTimeoutMs = 120000;

QStringList setprivArguments()
{
    return {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
            QStringLiteral("--clear-groups")};
}

// Why nobody cannot run the test executable here, or empty when it can.
QString obstacle(const QString& setpriv, const QString& executable)
{
    if (setpriv.isEmpty())
        return QStringLiteral("setpriv (util-linux) is not installed");
    QProcess probe;
    probe.start(setpriv, setprivArguments()
                             << QStringLiteral("test") << QStringLiteral("-x") << executable);
    if (!probe.waitForFinished(kChildTimeoutMs) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        return QStringLiteral("the user nobody cannot run %1 (%2)")
            .arg(executable, QString::fromLocal8Bit(probe.readAllStandardError()).trimmed());
    return {};
}

} // namespace

AsNobody runAsNobody()
{
    AsNobody run;
    if (qEnvironmentVariableIsSet(qPrintable(kChildMark)) || ::geteuid() != 0)
        return run;

    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const QString executable = QCoreApplication::applicationFilePath();
    run.report = obstacle(setpriv, executable);
    if (!run.report.isEmpty()) {
        run.where = AsNobody::Where::Impossible;
        return run;
    }

    QTemporaryDir folder;
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther);
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (const char* tag = QTest::currentDataTag())
        function += u':' + QString::fromLocal8Bit(tag);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildMark, QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), folder.path());
    environment.insert(QStringLiteral("TMPDIR"), folder.path());
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(folder.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, setprivArguments() << executable << function);
    const bool finished = child.waitForFinished(kChildTimeoutMs);
    run.where = AsNobody::Where::InChild;
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    run.report = QString::fromLocal8Bit(child.readAll());
    return run;
}

} // namespace zorvikta::test
