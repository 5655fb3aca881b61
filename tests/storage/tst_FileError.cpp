// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileError.h"
#include "storage/SystemErrors.h"
#include "support/ThisSystem.h"

#include <QTest>

#include <cerrno>

using namespace zorvikta;
using namespace Qt::StringLiterals;

class TestFileError : public QObject {
    Q_OBJECT

private slots:
    // The failures the run-file, settings and disk-fault tests cannot bring about: too many open
    // files, a permission or read-only file system where root may write anyway, a device error.
    void rareFailuresHaveTheirMessage_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("EMFILE") << EMFILE << u"Too many open files"_s;
        QTest::newRow("ENFILE") << ENFILE << u"Too many open files"_s;
        QTest::newRow("EPERM") << EPERM << u"File access denied"_s;
        QTest::newRow("EROFS") << EROFS << u"File access denied"_s;
        QTest::newRow("EIO") << EIO << u"I/O error 5"_s;
        QTest::newRow("zero") << 0 << u"I/O error 0"_s;
    }
    void rareFailuresHaveTheirMessage()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        const FileError failure = fileErrorForErrno(code);
        QCOMPARE(failure.message, message);
        QCOMPARE(failure.code, code);
    }

    // What the user reads for each of the system's own error codes: the same kinds and words on
    // every system.
    void systemCodesHaveTheirKind_data()
    {
        QTest::addColumn<int>("row");
        const QList<test::SystemErrorRow> rows = test::systemErrors();
        for (int row = 0; row < rows.size(); ++row)
            QTest::newRow(rows.at(row).tag) << row;
    }
    void systemCodesHaveTheirKind()
    {
        QFETCH(int, row);
        const test::SystemErrorRow expected = test::systemErrors().at(row);
        const FileError failure = files::fileErrorForCode(expected.code);
        QCOMPARE(failure.kind, expected.kind);
        QCOMPARE(failure.message, expected.message);
        QVERIFY(!failure.systemReason().isEmpty());
    }
};

QTEST_MAIN(TestFileError)
#include "tst_FileError.moc"
