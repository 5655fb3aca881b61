// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkErrorMetaTypes.h"
#include "support/RunFiles.h"
#include "support/ThisSystem.h"

#include "device/Messages.h"
#include "device/Ports.h"
#include "device/SerialPortLink.h"
#include "device/SerialPortLinkSystem.h"
#include "device/UploadSequence.h"
#include "model/RunRecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// Long enough for a loaded machine; a transfer to a line endpoint takes a few milliseconds.
constexpr int kArrivalTimeoutMs = 5000;
// How long to listen for bytes that must not come.
constexpr int kSilenceMs = 200;

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void devicePath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        for (const auto& [row, name, path] : devicePaths())
            QTest::newRow(row) << name << path;
    }
    void devicePath()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(platform::serialDevicePath(name), path);
    }

    // The advice the user reads follows from what the system said.
    void causeOfFailure_data()
    {
        QTest::addColumn<quint32>("code");
        QTest::addColumn<LinkError::Cause>("cause");
        for (const auto& [row, code, cause] : portErrorCauses())
            QTest::newRow(row) << quint32(code) << cause;
    }
    void causeOfFailure()
    {
        QFETCH(quint32, code);
        QFETCH(LinkError::Cause, cause);
        QCOMPARE(serial::system::causeOfCode(code), cause);
    }

    void messagesReachTheLineExactly_data()
    {
        QTest::addColumn<QList<QByteArray>>("messages");
        QTest::addColumn<QByteArray>("expected");

        for (const auto& [length, seed] : {std::pair{4, 3}, {8, 11}, {100, 5}, {4, 0}, {100, 0}}) {
            const RunRecord drawn = untidyRecord(seed);
            QTest::addRow("upload, length %d%s", length, seed == 0 ? ", every bit set" : "")
                << QList<QByteArray>{uploadSequence(drawn, length).upload}
                << expectedUpload(drawn, length);
        }
        const auto speedRow = [](const char* name, int speed, const char* wire) {
            QTest::newRow(name) << QList<QByteArray>{speedMessage(std::uint8_t(speed))}
                                << QByteArray(wire, kSpeedMessageSize);
        };
        speedRow("speed 230", 230, "\xFF\xE6\xFF");
        speedRow("lowest speed 5", 5, "\xFF\x05\xFF");
        speedRow("highest speed 250", 250, "\xFF\xFA\xFF");
        // Bytes that a terminal line in its usual mode translates or swallows.
        speedRow("speed 10, a line feed", 10, "\xFF\x0A\xFF");
        speedRow("speed 13, a carriage return", 13, "\xFF\x0D\xFF");
        speedRow("speed 17, XON", 17, "\xFF\x11\xFF");
        speedRow("speed 19, XOFF", 19, "\xFF\x13\xFF");
        speedRow("speed 0 from a file, outside the range", 0, "\xFF\x00\xFF");

        // Each transfer opens the port afresh, as the upload followed by the speed does.
        RunRecord record = untidyRecord(9);
        record[kSpeedIndex] = 230;
        const UploadSequence sequence = uploadSequence(record, 8, true);
        QTest::newRow("upload, then speed")
            << QList<QByteArray>{sequence.upload, sequence.speed.value_or(QByteArray())}
            << expectedUpload(untidyRecord(9), 8) + QByteArray("\xFF\xE6\xFF", 3);
        QTest::newRow("three speed changes")
            << QList<QByteArray>{speedMessage(231), speedMessage(232), speedMessage(242)}
            << QByteArray("\xFF\xE7\xFF\xFF\xE8\xFF\xFF\xF2\xFF", 9);
    }

    void messagesReachTheLineExactly()
    {
        QFETCH(QList<QByteArray>, messages);
        QFETCH(QByteArray, expected);

        const auto board = lineEndpoint();
        QVERIFY(board);
        SerialPortLink link;
        for (const QByteArray& message : messages) {
            const auto error = link.send(board->deviceName(), message);
            QVERIFY2(!error, qPrintable(error ? error->systemMessage : QString()));
        }

        QCOMPARE(board->received(int(expected.size()), kArrivalTimeoutMs).toHex(' '),
                 expected.toHex(' '));
    }

    void openFailuresWriteNothing_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<LinkError::Stage>("stage");
        QTest::addColumn<LinkError::Cause>("cause");

        const LinkError::Stage open = LinkError::Stage::Open;
        QTest::newRow("missing device")
            << QStringLiteral("missing") << open << LinkError::Cause::NotFound;
        QTest::newRow("regular file")
            << QStringLiteral("regular file") << whereNonPortsFail() << LinkError::Cause::Other;
        QTest::newRow("null device")
            << QStringLiteral("null device") << whereNonPortsFail() << LinkError::Cause::Other;
        QTest::newRow("name too long for the system")
            << QStringLiteral("long name") << open << LinkError::Cause::NameTooLong;
        QTest::newRow("a million characters, refused before the port is tried")
            << QStringLiteral("huge name") << open << LinkError::Cause::NameTooLong;
    }

    void openFailuresWriteNothing()
    {
        QFETCH(QString, setup);
        QFETCH(LinkError::Stage, stage);
        QFETCH(LinkError::Cause, cause);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A line that must stay quiet, as any other port on the machine.
        const auto bystander = lineEndpoint();
        QVERIFY(bystander);
        const QByteArray fileContents("kept as it was");
        QString device;

        if (setup == u"missing") {
            device = absentPort(dir.path());
        } else if (setup == u"regular file") {
            device = dir.filePath(QStringLiteral("plain"));
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(fileContents), fileContents.size());
        } else if (setup == u"long name") {
            if (!refusesLongNames())
                QSKIP("the system hands a long name on to the file system, which decides");
            device = dir.filePath(QString(300, u'a'));
        } else if (setup == u"huge name") {
            device = dir.filePath(QString(1000000, u'a'));
        } else if (setup == u"null device") {
            device = nullDevice();
        }

        const auto error = SerialPortLink().send(device, speedMessage(230));

        QVERIFY(error.has_value());
        QCOMPARE(error->stage, stage);
        QCOMPARE(error->cause, cause);
        QCOMPARE(error->deviceName, device);
        QVERIFY(!error->systemMessage.isEmpty());
        if (setup == u"regular file") {
            QFile file(device);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), fileContents);
        }
        QCOMPARE(bystander->received(0, kSilenceMs), QByteArray());
    }

    void portChoiceSelectsTheConfiguredDevice_data()
    {
        QTest::addColumn<int>("port");

        QTest::newRow("choice 1") << 1;
        QTest::newRow("choice 2") << 2;
    }

    void portChoiceSelectsTheConfiguredDevice()
    {
        QFETCH(int, port);

        const auto first = lineEndpoint();
        const auto second = lineEndpoint();
        QVERIFY(first && second);
        const QByteArray message = speedMessage(99);

        const auto error =
            SerialPortLink().send(portDeviceName(port == 1 ? PortChoice::Com1 : PortChoice::Com2,
                                                 {first->deviceName(), second->deviceName()}),
                                  message);

        QVERIFY(!error);
        LineEndpoint& chosen = port == 1 ? *first : *second;
        LineEndpoint& other = port == 1 ? *second : *first;
        QCOMPARE(chosen.received(kSpeedMessageSize, kArrivalTimeoutMs), message);
        QCOMPARE(other.received(0, kSilenceMs), QByteArray());
    }
};

QTEST_MAIN(TestSerialLink)
#include "tst_SerialLink.moc"
