// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows serial link and port list, with COM7 mapped to a pseudo-terminal by mapped_port.sh;
// the bytes on a real line are checked by serial_upload.sh.
#include "device/PortListing.h"
#include "device/Ports.h"
#include "device/SerialPortLink.h"
#include "device/SerialPortLinkSystem.h"
#include "device/SerialPortList.h"

#include <QTest>

#include <windows.h>

using namespace zorvikta;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zorvikta::LinkError::Cause)

class TestWin32Serial : public QObject {
    Q_OBJECT

private slots:
    void devicePath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM1") << u"COM1"_s << u"\\\\.\\COM1"_s;
        // Only this form reaches two-digit ports.
        QTest::newRow("COM10") << u"COM10"_s << u"\\\\.\\COM10"_s;
        QTest::newRow("already a device path") << u"\\\\.\\COM7"_s << u"\\\\.\\COM7"_s;
    }
    void devicePath()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(platform::serialDevicePath(name), path);
    }

    // The advice the user reads follows from what Windows said.
    void causeOfFailure_data()
    {
        QTest::addColumn<quint32>("code");
        QTest::addColumn<LinkError::Cause>("cause");
        QTest::newRow("no such port")
            << quint32(ERROR_FILE_NOT_FOUND) << LinkError::Cause::NotFound;
        QTest::newRow("held by another program")
            << quint32(ERROR_ACCESS_DENIED) << LinkError::Cause::Busy;
        QTest::newRow("sharing violation")
            << quint32(ERROR_SHARING_VIOLATION) << LinkError::Cause::Busy;
        QTest::newRow("name too long")
            << quint32(ERROR_FILENAME_EXCED_RANGE) << LinkError::Cause::NameTooLong;
        QTest::newRow("device gone mid-way")
            << quint32(ERROR_GEN_FAILURE) << LinkError::Cause::Other;
    }
    void causeOfFailure()
    {
        QFETCH(quint32, code);
        QFETCH(LinkError::Cause, cause);
        QCOMPARE(serial::system::causeOfCode(code), cause);
    }

    // A port nobody has fails at the open, with the system's words, and nothing hangs.
    void absentPortFailsAtOpen()
    {
        SerialPortLink link;
        const std::optional<LinkError> error = link.send(u"COM219"_s, QByteArray(3, '\x01'));
        QVERIFY(error.has_value());
        QCOMPARE(error->stage, LinkError::Stage::Open);
        QCOMPARE(error->cause, LinkError::Cause::NotFound);
        QCOMPARE(error->deviceName, u"COM219"_s);
        QVERIFY(!error->systemMessage.isEmpty());
    }

    // "COM 1" and "COM 2" mean COM1 and COM2 until the user chooses other ports.
    void portChoicesStartAsComPorts()
    {
        const PortDevices defaults = defaultPortDevices();
        QCOMPARE(portDeviceName(PortChoice::Com1, defaults), u"COM1"_s);
        QCOMPARE(portDeviceName(PortChoice::Com2, defaults), u"COM2"_s);
    }

    // The mapped port is listed, whatever the system lists is a COM port the link can be given
    // as it is, and the link sends through the mapped one.
    void listsTheMappedPortAndSendsThroughIt()
    {
        const QString mapped = qEnvironmentVariable("ZORVIKTA_MAPPED_PORT");
        QVERIFY2(!mapped.isEmpty(), "ZORVIKTA_MAPPED_PORT names no mapped port");
        const QList<SerialPortEntry> entries = SerialPortList().availablePorts();
        QVERIFY(findPort(entries, mapped) != nullptr);
        for (const SerialPortEntry& entry : entries)
            QVERIFY2(entry.path.startsWith(u"COM"), qPrintable(portListingLine({entry.path})));
        QCOMPARE(SerialPortLink().send(mapped, QByteArray(3, '\x01')), std::nullopt);
    }
};

QTEST_MAIN(TestWin32Serial)
#include "tst_Win32Serial.moc"
