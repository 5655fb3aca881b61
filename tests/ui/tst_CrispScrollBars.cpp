// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CrispScrollBars.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTest>

#include <cmath>
#include <memory>

using namespace zorvikta;

namespace {

// The speed bar as the main window has it, drawn by `style` at `ratio` device pixels a pixel.
QImage drawnBar(QStyle& style, qreal ratio, QRect* thumb)
{
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(5, 250);
    bar.setValue(230);
    bar.resize(81, 15);
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    *thumb = style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider);
    QImage image(int(std::ceil(81 * ratio)), int(std::ceil(15 * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(bar.palette().window().color());
    QPainter painter(&image);
    style.drawComplexControl(QStyle::CC_ScrollBar, &option, &painter);
    return image;
}

// The greys of the thumb's right edge, in a row across it from inside the thumb outwards: the
// first run of dark pixels.
QList<int> edgeGreys(const QImage& image, const QRect& thumb, qreal ratio)
{
    const int y = int(thumb.center().y() * ratio);
    int x = int(thumb.center().x() * ratio);
    while (x < image.width() && qGray(image.pixel(x, y)) > 0xD8)
        ++x;
    QList<int> greys;
    for (; x < image.width() && qGray(image.pixel(x, y)) <= 0xD8; ++x)
        greys << qGray(image.pixel(x, y));
    return greys;
}

} // namespace

class TestCrispScrollBars : public QObject {
    Q_OBJECT
private slots:
    // At 125 and 150 % Fusion draws the thumb's edge as two pixels of different greys against
    // the arrow button's edge; here it is one grey, as wide as the scale makes a pixel.
    void thumbEdgeIsOneGreyAtFractionalScales_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("125 %") << 1.25;
        QTest::newRow("150 %") << 1.5;
        QTest::newRow("175 %") << 1.75;
    }
    void thumbEdgeIsOneGreyAtFractionalScales()
    {
        QFETCH(qreal, ratio);
        CrispScrollBars style(QStyleFactory::create(QStringLiteral("Fusion")));
        QRect thumb;
        const QImage image = drawnBar(style, ratio, &thumb);
        const QList<int> edge = edgeGreys(image, thumb, ratio);
        QVERIFY(!edge.isEmpty());
        QVERIFY(edge.size() <= int(std::ceil(ratio)));
        QCOMPARE(QSet<int>(edge.cbegin(), edge.cend()).size(), 1);
    }

    // At whole scales the bars are Fusion's own, pixel for pixel.
    void wholeScalesAreFusions_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }
    void wholeScalesAreFusions()
    {
        QFETCH(qreal, ratio);
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        CrispScrollBars crisp(QStyleFactory::create(QStringLiteral("Fusion")));
        QRect thumb;
        QCOMPARE(drawnBar(crisp, ratio, &thumb), drawnBar(*fusion, ratio, &thumb));
    }
};

QTEST_MAIN(TestCrispScrollBars)
#include "tst_CrispScrollBars.moc"
