// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SerialPortList.h"

#include <QFile>
#include <QSerialPortInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvikta;

// The system's own list, with its stable names taken from a folder of links like
// /dev/serial/by-id/. Needs a serial device on the machine, and says so where there is none.
class TestSerialPortList : public QObject {
    Q_OBJECT
private slots:
    void eachDeviceOffersItsFirstLinkByName()
    {
        const QList<QSerialPortInfo> present = QSerialPortInfo::availablePorts();
        if (present.isEmpty())
            QSKIP("this machine has no serial device to link to");
        QTemporaryDir aliases;
        QVERIFY(aliases.isValid());
        const QString device = present.constFirst().systemLocation();
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
