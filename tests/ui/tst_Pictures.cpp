// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainForm/DocumentNames.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTest>

namespace {

// Transparent corners and something drawn: a glyph that shows on any tool-bar colour.
void verifyGlyphLike(const QImage& image)
{
    QVERIFY(image.hasAlphaChannel());
    const int last = image.width() - 1;
    QCOMPARE(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(last, 0)) +
                 qAlpha(image.pixel(0, last)) + qAlpha(image.pixel(last, last)),
             0);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    }
    QVERIFY(opaque >= image.width());
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void jpegPicturesDecode_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("wiring diagram")
            << QStringLiteral(":/pictures/diagram.jpg") << QSize(2812, 1328);
        QTest::newRow("relay board") << QStringLiteral(":/pictures/board.jpg") << QSize();
    }
    void jpegPicturesDecode()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QVERIFY2(QImageReader::supportedImageFormats().contains("jpeg"),
                 "Qt's JPEG image plugin is not installed");
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        if (size.isValid())
            QCOMPARE(image.size(), size);
    }

    void boardKeepsItsProportionsInTheAboutWindow()
    {
        // The About window stretches the board into 97 x 82 pixels.
        const QImage board(QStringLiteral(":/pictures/board.jpg"));
        QVERIFY(!board.isNull());
        const double ratio = double(board.width()) / board.height();
        QVERIFY2(qAbs(ratio / (97.0 / 82.0) - 1.0) < 0.02, qPrintable(QString::number(ratio)));
    }

    void programIconIsThirtyTwoPixels()
    {
        const QImage icon(QStringLiteral(":/icons/zorvikta.png"));
        QCOMPARE(icon.size(), QSize(32, 32));
        verifyGlyphLike(icon);
    }

    void installedIconSizes_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }
    void installedIconSizes()
    {
        QFETCH(int, size);
        const QString path = QFINDTESTDATA(
            QStringLiteral("../../resources/icons/hicolor/%1x%1/zorvikta.png").arg(size));
        QVERIFY2(!path.isEmpty(), "icon file not found");
        const QImage icon(path);
        QCOMPARE(icon.size(), QSize(size, size));
        verifyGlyphLike(icon);
    }

    void glyphs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        for (const char* name :
             {"new", "open", "saveas", "save", "delete", "insert", "clearall", "fillall", "undo",
              "tx", "invers", "splash", "rotatech", "file", "commands", "presets", "port", "help"})
            QTest::newRow(name) << QString::fromLatin1(name) << 16;
        QTest::newRow("play") << QStringLiteral("play") << 32;
    }
    void glyphs()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const QImage glyph(QStringLiteral(":/glyphs/%1.png").arg(name));
        QCOMPARE(glyph.size(), QSize(size, size));
        verifyGlyphLike(glyph);
    }

    void helpTextIsUtf8()
    {
        QFile file(QStringLiteral(":/help/help.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(text.contains(QStringLiteral("Поле редактирования")));
    }

    // The help is one text with this system's paragraphs on settings, devices and names put in
    // whole, none of another system's, nothing left unfilled, and a new pattern's name as the
    // program gives it.
    void helpTextHoldsThisSystemsParagraphs()
    {
        QFile file(QStringLiteral(":/help/help.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(!text.contains(u'@'));
        QVERIFY(text.contains(zorvikta::newDocumentName()));
        const QString ownSystem =
            QFileInfo(QString::fromUtf8(ZORVIKTA_HELP_SYSTEM_FOLDER)).fileName();
        const QDir systems(
            QFileInfo(QString::fromUtf8(ZORVIKTA_HELP_SYSTEM_FOLDER)).absolutePath());
        int paragraphs = 0;
        for (const QString& system : systems.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir folder(systems.filePath(system));
            for (const QString& name : folder.entryList(QDir::Files)) {
                QFile part(folder.filePath(name));
                QVERIFY(part.open(QIODevice::ReadOnly));
                const QString paragraph = QString::fromUtf8(part.readAll()).trimmed();
                QVERIFY2(text.contains(paragraph) == (system == ownSystem),
                         qPrintable(system + u'/' + name));
                ++paragraphs;
            }
        }
        QVERIFY(paragraphs >= 4);
    }
};

QTEST_MAIN(TestPictures)
#include "tst_Pictures.moc"
