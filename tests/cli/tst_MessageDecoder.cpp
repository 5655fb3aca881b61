// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RunFiles.h"

#include "cli/board/MessageDecoder.h"
#include "device/Messages.h"
#include "model/RunRecord.h"

#include <QTest>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

QStringList rendered(const std::vector<DecodedMessage>& messages)
{
    QStringList lines;
    for (const DecodedMessage& message : messages) {
        switch (message.kind) {
        case DecodedMessage::Kind::Upload:
            lines << QStringLiteral("upload %1").arg(QString::fromLatin1(message.bytes.toHex()));
            break;
        case DecodedMessage::Kind::Speed:
            lines << QStringLiteral("speed %1").arg(message.speed);
            break;
        case DecodedMessage::Kind::Skipped:
            lines << QStringLiteral("skipped %1").arg(QString::fromLatin1(message.bytes.toHex()));
            break;
        }
    }
    return lines;
}

// Everything the decoder makes of `stream`, fed in pieces cut at `cuts`, then finished.
QStringList decode(const QByteArray& stream, const QList<int>& cuts)
{
    MessageDecoder decoder;
    QStringList lines;
    int from = 0;
    for (const int cut : cuts + QList<int>{int(stream.size())}) {
        lines << rendered(decoder.feed(QByteArrayView(stream).sliced(from, cut - from)));
        from = cut;
    }
    return lines << rendered(decoder.finish());
}

} // namespace

class TestMessageDecoder : public QObject {
    Q_OBJECT

private slots:
    void decodesTheStream_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("expected");

        const QByteArray run = hex("8040201080402010");
        QTest::newRow("speed") << hex("ffe6ff") << QStringList{u"speed 230"_s};
        QTest::newRow("speed 0 from a foreign file is refused")
            << hex("ff00ff") + hex("ff05ff") << QStringList{u"skipped ff00ff"_s, u"speed 5"_s};
        QTest::newRow("speed above the range is refused")
            << hex("fffbff") + hex("fffaff") << QStringList{u"skipped fffbff"_s, u"speed 250"_s};
        QTest::newRow("upload, then speed")
            << uploadOf(run) + hex("fffaff")
            << QStringList{u"upload 8040201080402010"_s, u"speed 250"_s};
        QTest::newRow("upload of dark steps keeps them")
            << uploadOf(hex("00000000f0")) << QStringList{u"upload 00000000f0"_s};
        QTest::newRow("upload with the end marker first")
            << uploadOf({}) << QStringList{u"upload "_s};
        const QByteArray longest(kMaxLength, '\x30');
        QTest::newRow("upload of the longest pattern")
            << uploadOf(longest)
            << QStringList{u"upload "_s + QString::fromLatin1(longest.toHex())};
        QTest::newRow("upload with its end marker past the longest pattern is refused")
            << uploadOf(longest + hex("30"))
            << QStringList{u"skipped "_s +
                           QString::fromLatin1(uploadOf(longest + hex("30")).toHex())};
        QTest::newRow("upload without an end marker is refused")
            << hex("fffe") + QByteArray(kUploadStepCount, '\x30')
            << QStringList{u"skipped fffe"_s +
                           QString::fromLatin1(QByteArray(kUploadStepCount, '\x30').toHex())};
        QTest::newRow("upload with low bits in a step is refused")
            << uploadOf(hex("80c4"))
            << QStringList{u"skipped "_s + QString::fromLatin1(uploadOf(hex("80c4")).toHex())};
        QTest::newRow("lamps after the first end marker are refused")
            << uploadOf(hex("800140"))
            << QStringList{u"skipped "_s + QString::fromLatin1(uploadOf(hex("800140")).toHex())};
        QTest::newRow("garbage before a speed")
            << hex("1234ffe6ff") << QStringList{u"skipped 1234"_s, u"speed 230"_s};
        QTest::newRow("garbage between two messages")
            << hex("ff05ff") + hex("0055aa") + uploadOf(run)
            << QStringList{u"speed 5"_s, u"skipped 0055aa"_s, u"upload 8040201080402010"_s};
        QTest::newRow("doubled header")
            << hex("ffffe6ff") << QStringList{u"skipped ff"_s, u"speed 230"_s};
        QTest::newRow("speed without its closing byte")
            << hex("ffe620") + uploadOf(run)
            << QStringList{u"skipped ffe620"_s, u"upload 8040201080402010"_s};
        QTest::newRow("upload cut short by the next message")
            << hex("fffe8040") + hex("ff0aff") << QStringList{u"skipped fffe8040"_s, u"speed 10"_s};
        QTest::newRow("speed 0xfe reads as an upload")
            << hex("fffeff") + hex("ff11ff")
            << QStringList{u"skipped fffe"_s, u"skipped ff"_s, u"speed 17"_s};
        QTest::newRow("garbage at the end")
            << hex("ffe6ff5566") << QStringList{u"speed 230"_s, u"skipped 5566"_s};
        QTest::newRow("upload under way at the end")
            << hex("fffe80402010") << QStringList{u"skipped fffe80402010"_s};
        QTest::newRow("header alone at the end") << hex("ff") << QStringList{u"skipped ff"_s};
        QTest::newRow("nothing") << QByteArray() << QStringList{};
    }

    // However the bytes are cut into reads, the messages are the same.
    void decodesTheStream()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, expected);

        QCOMPARE(decode(stream, {}), expected);
        for (int cut = 1; cut < stream.size(); ++cut)
            QCOMPARE(decode(stream, {cut}), expected);
        QList<int> everyByte;
        for (int cut = 1; cut < stream.size(); ++cut)
            everyByte << cut;
        QCOMPARE(decode(stream, everyByte), expected);
    }

    void finishStartsAfresh()
    {
        MessageDecoder decoder;
        QVERIFY(decoder.feed(hex("fffe8040")).empty());
        QCOMPARE(rendered(decoder.finish()), QStringList{u"skipped fffe8040"_s});
        QCOMPARE(rendered(decoder.feed(hex("20ffe6ff"))),
                 (QStringList{u"skipped 20"_s, u"speed 230"_s}));
        QVERIFY(decoder.finish().empty());
    }
};

QTEST_MAIN(TestMessageDecoder)
#include "tst_MessageDecoder.moc"
