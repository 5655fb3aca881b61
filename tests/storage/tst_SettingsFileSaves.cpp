// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SettingsFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSaves = 5;

const Settings kChosen{PortChoice::Com1, true, u"./User001.zvk"_s, {u"/dev/a"_s, u"/dev/b"_s}};

} // namespace

// The program writes its settings at every close and every port choice, so whatever a file held
// must settle after a save or two instead of changing, and growing, with each one.
class TestSettingsFileSaves : public QObject {
    Q_OBJECT
private slots:
    void repeatedSavesSettle_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("keptLine"); // a line of the user's that every save keeps
        QTest::newRow("well-formed section of the user's") << "[Other]\nkey=value\n"_ba
                                                           << "key=value"_ba;
        QTest::newRow("header without its closing bracket") << "[Other\nkey=value\n"_ba
                                                            << "key=value"_ba;
        QTest::newRow("closing bracket on the next line") << "[Other\n]\nkey=value\n"_ba
                                                          << "key=value"_ba;
        QTest::newRow("broken header after our section")
            << "[ComPort]\nAktive=COM 2\n[Broken\nx=1\n"_ba
            << "x=1"_ba;
        QTest::newRow("NUL bytes inside a header") << "[Com\x14ort\0\0\0]\n\x1a"
                                                      "Device1=a=b\n"_ba
                                                   << QByteArray();
        QTest::newRow("header broken by a carriage return")
            << "[Speed\r]\nJast=no send\nmine=1\n"_ba
            << "mine=1"_ba;
    }
    void repeatedSavesSettle()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, keptLine);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Zorvikta.ini"_s);
        QVERIFY(putFile(path, content));
        const SettingsFile file(path, PortDevices{u"/dev/ttyS0"_s, u"/dev/ttyS1"_s});
        const Settings& settings = kChosen;

        QByteArrayList saved;
        for (int save = 0; save < kSaves; ++save) {
            QCOMPARE(file.write(settings, SettingsKeys::ChoicesAndDevices), std::nullopt);
            saved << fileBytes(path);
        }
        QCOMPARE(saved.constLast(), saved.constFirst());
        QVERIFY(file.read() == settings);
        if (!keptLine.isEmpty())
            QVERIFY(saved.constLast().split('\n').contains(keptLine));
    }
};

QTEST_MAIN(TestSettingsFileSaves)
#include "tst_SettingsFileSaves.moc"
