// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AsOrdinaryUser.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace zorvikta::test {

namespace {

constexpr int kChildTimeoutMs = 120000;

// The child cannot enter root's build folder, so it runs from a copy in a folder of its own.
bool copyExecutable(const QTemporaryDir& folder, QString& copy)
{
    copy = folder.filePath(QStringLiteral("test"));
    return QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther) &&
           QFile::copy(QCoreApplication::applicationFilePath(), copy) &&
           QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther);
}

} // namespace

bool runAsOrdinaryUser()
{
    if (::geteuid() != 0)
        return true;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        QTest::qSkip("root may write anything, and setpriv is not here to run this as nobody",
                     __FILE__, __LINE__);
        return false;
    }
    const QTemporaryDir folder;
    QString copy;
    if (!folder.isValid() || !copyExecutable(folder, copy)) {
        QTest::qSkip("no folder for a copy of the test that nobody may run", __FILE__, __LINE__);
        return false;
    }
    QString testCase = QString::fromLatin1(QTest::currentTestFunction());
    if (const char* tag = QTest::currentDataTag())
        testCase += u':' + QString::fromUtf8(tag);

    QProcess child;
    child.setWorkingDirectory(folder.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                          QStringLiteral("--clear-groups"), copy, testCase});
    if (!child.waitForFinished(kChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
    }
    const QString output = QString::fromUtf8(child.readAll());
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        // setpriv itself failing (no such user, no right to switch) is no fault of the program.
        if (!output.contains(QStringLiteral("Start testing"))) {
            QTest::qSkip(
                qPrintable(QStringLiteral("cannot run the test as nobody: ") + output.trimmed()),
                __FILE__, __LINE__);
            return false;
        }
        QTest::qFail(qPrintable(QStringLiteral("as nobody:\n") + output), __FILE__, __LINE__);
        return false;
    }
    const QRegularExpressionMatch skipped =
        QRegularExpression(QStringLiteral("SKIP   : ([^\n]*)")).match(output);
    if (skipped.hasMatch())
        QTest::qSkip(qPrintable(QStringLiteral("as nobody: ") + skipped.captured(1)), __FILE__,
                     __LINE__);
    return false;
}

} // namespace zorvikta::test
