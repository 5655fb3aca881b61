// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/About/TAboutForm.h"
#include "ui/Help/THelpForm.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>

#include <cmath>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {

// Fusion's dark colours, as a dark desktop scheme hands them to every window.
QPalette darkPalette()
{
    QPalette dark;
    const QColor face(0x35, 0x35, 0x35);
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, face);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                            QPalette::BrightText, QPalette::ToolTipText})
        dark.setColor(role, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Midlight, QColor(0x45, 0x45, 0x45));
    dark.setColor(QPalette::Mid, QColor(0x28, 0x28, 0x28));
    dark.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::ToolTipBase, face);
    return dark;
}

double luminance(const QColor& colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

double contrast(const QColor& one, const QColor& other)
{
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The commonest colour of the area is the background; the one farthest from it, the text.
double renderedContrast(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(background, most) = std::pair{it.key(), it.value()};
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(QColor(background), QColor(it.key())));
    return best;
}

// Where each text of the window is drawn, in the window's pixels, by its name.
QList<std::pair<QString, QRect>> textAreas(QWidget& window)
{
    QList<std::pair<QString, QRect>> areas;
    const auto add = [&](const QString& name, const QWidget* widget, const QRect& rect) {
        areas.append({name, QRect(widget->mapTo(&window, rect.topLeft()), rect.size())});
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        // The grey copy of the logo is its shadow; the word is read in the copy above it.
        if (widget->objectName() == QStringLiteral("LabelLogoShadow"))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && !label->text().trimmed().isEmpty())
            add(label->objectName(), label, label->contentsRect());
        else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(check);
            add(check->objectName(), check,
                check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
                   button && !button->text().isEmpty())
            add(button->objectName(), button, button->rect().adjusted(3, 3, -3, -3));
        else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* menu : bar->actions())
                add(menu->text(), bar, bar->actionGeometry(menu));
        } else if (auto* edit = qobject_cast<QTextEdit*>(widget))
            add(edit->objectName(), edit->viewport(), edit->viewport()->rect());
    }
    return areas;
}

} // namespace

class TestColourSchemes : public QObject {
    Q_OBJECT
private slots:
    void everyTextReadsUnderBothSchemes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("window");
        for (const bool dark : {false, true})
            for (const char* window : {"main", "about", "help"})
                QTest::addRow("%s %s", dark ? "dark" : "light", window)
                    << dark << QString::fromLatin1(window);
    }
    void everyTextReadsUnderBothSchemes()
    {
        QFETCH(bool, dark);
        QFETCH(QString, window);
        const QPalette desktop = QApplication::palette();
        if (dark)
            QApplication::setPalette(darkPalette());
        FormFixture fixture;
        TMainForm& form = fixture.start();
        TAboutForm about([](const QUrl&) { return true; }, &form);
        THelpForm help(&form);
        QWidget& shown = window == QStringLiteral("about")  ? static_cast<QWidget&>(about)
                         : window == QStringLiteral("help") ? static_cast<QWidget&>(help)
                                                            : form;
        // Unsmoothed glyphs: the text's own colour then fills whole pixels, to be measured.
        QFont sharp = shown.font();
        sharp.setStyleStrategy(QFont::NoAntialias);
        shown.setFont(sharp);
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        const QImage image = shown.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QApplication::setPalette(desktop);

        const QList<std::pair<QString, QRect>> areas = textAreas(shown);
        QVERIFY(areas.size() >= (window == QStringLiteral("main") ? 30 : 1));
        QStringList unreadable;
        for (const auto& [name, area] : areas) {
            const double ratio = renderedContrast(image, area);
            // The logo is large text, for which 3:1 reads as well.
            const double needed = name == QStringLiteral("LabelLogo") ? 3.0 : 4.5;
            if (ratio < needed)
                unreadable << QStringLiteral("%1 %2:1").arg(name).arg(ratio, 0, 'f', 2);
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestColourSchemes)
#include "tst_ColourSchemes.moc"
