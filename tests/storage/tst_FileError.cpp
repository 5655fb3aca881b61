// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileError.h"

#include <QTest>

#include <cerrno>

using namespace zorvikta;
using namespace Qt::StringLiterals;

class TestFileError : public QObject {
    Q_OBJECT

private slots:
    void messageForErrno_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("ENOENT") << ENOENT << u"File not found"_s;
        QTest::newRow("ENOTDIR") << ENOTDIR << u"Invalid filename"_s;
        QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << u"Invalid filename"_s;
        QTest::newRow("EMFILE") << EMFILE << u"Too many open files"_s;
        QTest::newRow("ENFILE") << ENFILE << u"Too many open files"_s;
        QTest::newRow("EACCES") << EACCES << u"File access denied"_s;
        QTest::newRow("EPERM") << EPERM << u"File access denied"_s;
        QTest::newRow("EROFS") << EROFS << u"File access denied"_s;
        QTest::newRow("EISDIR") << EISDIR << u"File access denied"_s;
        QTest::newRow("ENOSPC") << ENOSPC << u"Disk full"_s;
        QTest::newRow("EIO") << EIO << u"I/O error 5"_s;
        QTest::newRow("EFBIG") << EFBIG << u"I/O error 27"_s;
        QTest::newRow("ENXIO") << ENXIO << u"I/O error 6"_s;
        QTest::newRow("zero") << 0 << u"I/O error 0"_s;
    }
    void messageForErrno()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(zorvikta::messageForErrno(code), message);
    }
};

QTEST_MAIN(TestFileError)
#include "tst_FileError.moc"
