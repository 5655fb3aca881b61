// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniText.h"
#include "support/TestFiles.h"

#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

// A lookup and a change of the same key must agree on its line: the change rewrites the value
// that the lookup finds, and nothing else.
class TestIniText : public QObject {
    Q_OBJECT

private slots:
    void lookupAndChange_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("found");   // null: no such key
        QTest::addColumn<QByteArray>("changed"); // after setting the key to NEW; null: see below
        QTest::newRow("lower-case names") << "[comport]\naktive=COM 1\n"_ba
                                          << "ComPort"_ba
                                          << "Aktive"_ba
                                          << "COM 1"_ba
                                          << "[comport]\naktive=NEW\n"_ba;
        QTest::newRow("upper-case names") << "[SPEED]\nJAST=Send\n"_ba
                                          << "Speed"_ba
                                          << "Jast"_ba
                                          << "Send"_ba
                                          << "[SPEED]\nJAST=NEW\n"_ba;
        QTest::newRow("value case kept") << "[ComPort]\nAktive=com 1\n"_ba
                                         << "ComPort"_ba
                                         << "Aktive"_ba
                                         << "com 1"_ba
                                         << "[ComPort]\nAktive=NEW\n"_ba;
        QTest::newRow("empty value") << "[ComPort]\nAktive=\n"_ba
                                     << "ComPort"_ba
                                     << "Aktive"_ba
                                     << ""_ba
                                     << "[ComPort]\nAktive=NEW\n"_ba;
        QTest::newRow("spaces around =") << "[Speed]\nJast =  no send \n"_ba
                                         << "Speed"_ba
                                         << "Jast"_ba
                                         << "no send"_ba
                                         << "[Speed]\nJast =  NEW \n"_ba;
        QTest::newRow("CRLF and BOM") << "\xEF\xBB\xBF[Speed]\r\nJast=Send\r\n"_ba
                                      << "Speed"_ba
                                      << "Jast"_ba
                                      << "Send"_ba
                                      << "\xEF\xBB\xBF[Speed]\r\nJast=NEW\r\n"_ba;
        QTest::newRow("key in another section")
            << "[Speed]\nAktive=COM 1\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray() << "[Speed]\nAktive=COM 1\n[ComPort]\nAktive=NEW\n"_ba;
        QTest::newRow("commented out")
            << "[ComPort]\n;Aktive=COM 1\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray() << "[ComPort]\n;Aktive=COM 1\nAktive=NEW\n"_ba;
        QTest::newRow("no sections")
            << "Aktive=COM 1\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray() << "Aktive=COM 1\n[ComPort]\nAktive=NEW\n"_ba;
        QTest::newRow("first duplicate wins") << "[LastFile]\nPATH=first.zvk\npath=second.zvk\n"_ba
                                              << "LastFile"_ba
                                              << "Path"_ba
                                              << "first.zvk"_ba
                                              << "[LastFile]\nPATH=NEW\npath=second.zvk\n"_ba;
        QTest::newRow("section split in two")
            << "[ComPort]\nAktive=COM 1\n[Speed]\n[comport]\nDevice1=/dev/x\n"_ba
            << "ComPort"_ba
            << "Device1"_ba
            << "/dev/x"_ba
            << "[ComPort]\nAktive=COM 1\n[Speed]\n[comport]\nDevice1=NEW\n"_ba;
        QTest::newRow("Cyrillic, quotes and =") << "[LastFile]\nPath=\"/дом/Бег=1.zvk\"\n"_ba
                                                << "LastFile"_ba
                                                << "Path"_ba
                                                << "\"/дом/Бег=1.zvk\""_ba
                                                << "[LastFile]\nPath=NEW\n"_ba;
        QTest::newRow("huge line first") << kHugeLine + "\n[Speed]\nJast=Send\n"
                                         << "Speed"_ba
                                         << "Jast"_ba
                                         << "Send"_ba << kHugeLine + "\n[Speed]\nJast=NEW\n";
        QTest::newRow("huge value") << "[LastFile]\nPath=" + kHugeLine << "LastFile"_ba
                                    << "Path"_ba << kHugeLine << "[LastFile]\nPath=NEW"_ba;
        QTest::newRow("binary garbage") << garbage(4096, 1) << "ComPort"_ba
                                        << "Aktive"_ba << QByteArray() << QByteArray();
        QTest::newRow("section after a NUL byte")
            << "\x01\x02"_ba + '\0' + "\xFF\n[Speed]\nJast=Send\n"
            << "Speed"_ba
            << "Jast"_ba
            << "Send"_ba
            << "\x01\x02"_ba + '\0' + "\xFF\n[Speed]\nJast=NEW\n";
        QTest::newRow("unclosed header keeps its lines in the section before")
            << "[Speed]\nJast=x\n[ComPort\nAktive=COM 1\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray()
            << "[Speed]\nJast=x\n[ComPort\nAktive=COM 1\n[ComPort]\nAktive=NEW\n"_ba;
        QTest::newRow("new key after the last key of the first block")
            << "[ComPort]\nAktive=COM 1\n\n; speed\n[Speed]\n[ComPort]\nBaud=1\n"_ba
            << "ComPort"_ba
            << "Device1"_ba << QByteArray()
            << "[ComPort]\nAktive=COM 1\nDevice1=NEW\n\n; speed\n[Speed]\n[ComPort]\nBaud=1\n"_ba;
        QTest::newRow("new key right after a header without keys")
            << "[ComPort]\n; none yet\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray() << "[ComPort]\nAktive=NEW\n; none yet\n"_ba;
        QTest::newRow("new section in CRLF")
            << "[Speed]\r\nJast=Send\r\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray()
            << "[Speed]\r\nJast=Send\r\n[ComPort]\r\nAktive=NEW\r\n"_ba;
        QTest::newRow("new key takes its neighbour's ending")
            << "[ComPort]\nA=1\r\n[Speed]\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray() << "[ComPort]\nA=1\r\nAktive=NEW\r\n[Speed]\n"_ba;
        QTest::newRow("last line without its ending")
            << "[ComPort]\nBaud = 9600"_ba
            << "ComPort"_ba
            << "Aktive"_ba << QByteArray() << "[ComPort]\nBaud = 9600\nAktive=NEW\n"_ba;
        QTest::newRow("empty text") << QByteArray() << "ComPort"_ba
                                    << "Aktive"_ba << QByteArray() << "[ComPort]\nAktive=NEW\n"_ba;
        QTest::newRow("blanks and tabs around names and value")
            << "  [ ComPort ] ; port\n  aktive\t=\tCOM 1\t\n"_ba
            << "ComPort"_ba
            << "Aktive"_ba
            << "COM 1"_ba
            << "  [ ComPort ] ; port\n  aktive\t=\tNEW\t\n"_ba;
        QTest::newRow("lone carriage return stays inside the line")
            << "[Speed]\nJast=Send\rAktive=COM 1\n"_ba
            << "Speed"_ba
            << "Jast"_ba
            << "Send\rAktive=COM 1"_ba
            << "[Speed]\nJast=NEW\n"_ba;
        QTest::newRow("a line without = is no key") << "[ComPort]\nAktive\nAktive=COM 1\n"_ba
                                                    << "ComPort"_ba
                                                    << "Aktive"_ba
                                                    << "COM 1"_ba
                                                    << "[ComPort]\nAktive\nAktive=NEW\n"_ba;
    }
    void lookupAndChange()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, found);
        QFETCH(QByteArray, changed);
        IniText ini(content);
        QCOMPARE(ini.value(section, key), found.isNull() ? std::nullopt : std::optional(found));

        ini.setValue(section, key, "NEW");
        QCOMPARE(ini.value(section, key), std::optional("NEW"_ba));
        // Garbage is checked only for what it must keep: every byte it had, in front.
        if (changed.isNull())
            QVERIFY(ini.text().startsWith(content));
        else
            QCOMPARE(ini.text(), changed);
    }
};

QTEST_MAIN(TestIniText)
#include "tst_IniText.moc"
