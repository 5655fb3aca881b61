// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkErrorMetaTypes.h"

#include "device/LinkError.h"

#include <QTest>

using namespace zorvikta;

class TestLinkError : public QObject {
    Q_OBJECT

private slots:
    void describesTheFailureForTheUser_data()
    {
        QTest::addColumn<LinkError::Stage>("stage");
        QTest::addColumn<LinkError::Cause>("cause");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");

        const QString dialout = QStringLiteral("dialout");
        const QString otherProgram = QStringLiteral("другой программой");
        const QString missing = QStringLiteral("устройства нет");
        const QString systemSaid = QStringLiteral("Система сообщила");
        using Stage = LinkError::Stage;
        using Cause = LinkError::Cause;

        QTest::newRow("open, no such device")
            << Stage::Open << Cause::NotFound << QStringLiteral("No such file or directory")
            << QStringList{QStringLiteral("открыть"), missing, systemSaid}
            << QStringList{dialout, otherProgram};
        QTest::newRow("open, not permitted")
            << Stage::Open << Cause::Permission << QStringLiteral("Permission denied")
            << QStringList{QStringLiteral("открыть"), dialout, QStringLiteral("групп")}
            << QStringList{otherProgram, missing};
        QTest::newRow("open, held by another program")
            << Stage::Open << Cause::Busy
            << QStringLiteral("Permission error while locking the device")
            << QStringList{QStringLiteral("открыть"), otherProgram} << QStringList{dialout};
        QTest::newRow("open, name too long")
            << Stage::Open << Cause::NameTooLong << QStringLiteral("File name too long")
            << QStringList{QStringLiteral("открыть"), QStringLiteral("слишком длинное")}
            << QStringList{dialout, otherProgram, missing};
        QTest::newRow("configure refused")
            << Stage::Configure << Cause::Other << QStringLiteral("Inappropriate ioctl for device")
            << QStringList{QStringLiteral("настроить"), QStringLiteral("1200")}
            << QStringList{dialout, otherProgram, missing};
        QTest::newRow("write cut short")
            << Stage::Write << Cause::Other << QStringLiteral("Operation timed out")
            << QStringList{QStringLiteral("полностью")} << QStringList{dialout, otherProgram};
        QTest::newRow("write, nothing said")
            << Stage::Write << Cause::Other << QString() << QStringList{QStringLiteral("полностью")}
            << QStringList{systemSaid, QStringLiteral("  ")};
        QTest::newRow("system message with its own full stop")
            << Stage::Write << Cause::NotFound << QStringLiteral("Input/output error.")
            << QStringList{missing, QStringLiteral("Input/output error")}
            << QStringList{QStringLiteral("..")};
    }

    void describesTheFailureForTheUser()
    {
        QFETCH(LinkError::Stage, stage);
        QFETCH(LinkError::Cause, cause);
        QFETCH(QString, said);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QString device = QStringLiteral("/dev/ttyUSB3");

        const QString text = describeLinkError({stage, cause, device, said});

        QVERIFY2(text.contains(device), qPrintable(text));
        QVERIFY2(text.contains(said), qPrintable(text));
        for (const QString& fragment : present)
            QVERIFY2(text.contains(fragment), qPrintable(fragment + QStringLiteral(" / ") + text));
        for (const QString& fragment : absent)
            QVERIFY2(!text.contains(fragment), qPrintable(fragment + QStringLiteral(" / ") + text));
    }

    // A name of any length, a hand-edited settings line of a million characters included, keeps
    // the warning short: its middle goes, its start and end stay.
    void longNamesLoseTheirMiddle_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("shown");
        const QString name120 = QStringLiteral("/dev/serial/by-id/") + QString(102, u'x');
        QTest::newRow("120 characters, whole") << name120 << name120;
        QTest::newRow("a million characters")
            << QStringLiteral("/dev/") + QString(999990, u'a') + QStringLiteral("tail!")
            << QStringLiteral("/dev/") + QString(55, u'a') + QStringLiteral("…") +
                   QString(54, u'a') + QStringLiteral("tail!");
    }
    void longNamesLoseTheirMiddle()
    {
        QFETCH(QString, device);
        QFETCH(QString, shown);
        const LinkError error{LinkError::Stage::Open, LinkError::Cause::NameTooLong, device,
                              QStringLiteral("File name too long")};
        QVERIFY2(describeLinkError(error).startsWith(
                     QStringLiteral("Не удалось открыть устройство «%1».").arg(shown)),
                 qPrintable(describeLinkError(error).left(400)));
    }
};

QTEST_MAIN(TestLinkError)
#include "tst_LinkError.moc"
