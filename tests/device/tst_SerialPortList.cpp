// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThisSystem.h"

#include "device/PortListing.h"
#include "device/SerialPortList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;

// The system's own list, with its stable names taken from a folder of links like
// /dev/serial/by-id/.
class TestSerialPortList : public QObject {
    Q_OBJECT
private slots:
    // Whatever the system lists is a port the link can be given as it is, and a line that is
    // there is listed.
    void listsTheLineThatIsThere()
    {
        const auto board = lineEndpoint();
        QVERIFY(board);
        const QList<SerialPortEntry> entries = SerialPortList().availablePorts();
        for (const SerialPortEntry& entry : entries)
            QVERIFY2(entry.path.startsWith(listedPortPrefix()),
                     qPrintable(portListingLine({entry.path})));
        if (const auto why = whyLineEndpointsUnlisted())
            QSKIP(*why);
        QVERIFY(findPort(entries, board->deviceName()) != nullptr);
    }

    // Needs a serial device on the machine, and says so where there is none.
    void eachDeviceOffersItsFirstLinkByName()
    {
        if (const auto why = whyNoPortAliases())
            QSKIP(*why);
        const QList<SerialPortEntry> present = SerialPortList(QString()).availablePorts();
        if (present.isEmpty())
            QSKIP("this machine has no serial device to link to");
        QTemporaryDir aliases;
        QVERIFY(aliases.isValid());
        const QString device = present.constFirst().path;
        QVERIFY(QFile::link(device, aliases.filePath(QStringLiteral("usb-b-if00-port0"))));
        QVERIFY(QFile::link(device, aliases.filePath(QStringLiteral("usb-a-if00-port0"))));
        QVERIFY(QFile::link(aliases.filePath(QStringLiteral("nowhere")),
                            aliases.filePath(QStringLiteral("usb-dangling"))));
        QFile plain(aliases.filePath(QStringLiteral("plain-file")));
        QVERIFY(plain.open(QIODevice::WriteOnly));

        const QList<SerialPortEntry> entries = SerialPortList(aliases.path()).availablePorts();

        QCOMPARE(entries.size(), present.size());
        for (const SerialPortEntry& entry : entries)
            QCOMPARE(entry.stableAlias, entry.path == device
                                            ? aliases.filePath(QStringLiteral("usb-a-if00-port0"))
                                            : QString());
        QCOMPARE(SerialPortList(aliases.filePath(QStringLiteral("absent")))
                     .availablePorts()
                     .constFirst()
                     .stableAlias,
                 QString());
    }
};

QTEST_MAIN(TestSerialPortList)
#include "tst_SerialPortList.moc"
