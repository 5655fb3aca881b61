// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PortListing.h"

#include <QTest>

using namespace zorvikta;
using namespace Qt::StringLiterals;

// `zvk ports` prints one device a line, four fields separated by tabs, whatever the names hold.
class TestPortListing : public QObject {
    Q_OBJECT
private slots:
    void eachDeviceStaysOneLineOfFourFields_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain names")
            << QStringList{u"/dev/ttyUSB0"_s, u"FT232R USB UART"_s, u"FTDI"_s, u"A50285BI"_s}
            << u"/dev/ttyUSB0\tFT232R USB UART\tFTDI\tA50285BI"_s;
        QTest::newRow("tab in a link's name")
            << QStringList{u"/dev/serial/by-id/usb-a\tb"_s, u"d"_s, u"m"_s, u"s"_s}
            << u"/dev/serial/by-id/usb-a\\tb\td\tm\ts"_s;
        QTest::newRow("line breaks in a link's name and a description")
            << QStringList{u"/dev/serial/by-id/two\nlines"_s, u"cr\r\nlf"_s, QString(), QString()}
            << u"/dev/serial/by-id/two\\nlines\tcr\\r\\nlf\t\t"_s;
        QTest::newRow("backslashes, also before a letter of an escape")
            << QStringList{u"/dev/a\\b"_s, u"\\t"_s, u"\\"_s, u"x"_s}
            << u"/dev/a\\\\b\t\\\\t\t\\\\\tx"_s;
    }
    void eachDeviceStaysOneLineOfFourFields()
    {
        QFETCH(QStringList, row);
        QFETCH(QString, line);
        QCOMPARE(portListingLine(row), line);
    }
};

QTEST_MAIN(TestPortListing)
#include "tst_PortListing.moc"
