// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/About/TAboutForm.h"
#include "ui/DesignLook.h"
#include "ui/DesignPalette.h"
#include "ui/Help/THelpForm.h"
#include "ui/PortDevicesDialog.h"
#include "ui/QtPrompts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <QToolButton>
#include <QToolTip>

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

// A colour scheme of qt6ct, read as qt6ct reads it: each group lists the roles in their order.
QPalette qt6ctScheme(const QString& path)
{
    QSettings scheme(path, QSettings::IniFormat);
    QPalette palette;
    const std::pair<QPalette::ColorGroup, const char*> groups[] = {
        {QPalette::Active, "ColorScheme/active_colors"},
        {QPalette::Inactive, "ColorScheme/inactive_colors"},
        {QPalette::Disabled, "ColorScheme/disabled_colors"}};
    for (const auto& [group, key] : groups) {
        const QStringList colours = scheme.value(QString::fromLatin1(key)).toStringList();
        for (int role = 0; role < colours.size() && role < QPalette::NColorRoles; ++role)
            palette.setColor(group, QPalette::ColorRole(role), QColor(colours.at(role).trimmed()));
    }
    return palette;
}

// The font a desktop hands every window; distinctive, so that a text drawn in it is found.
QFont desktopFont()
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(12);
    return font;
}

// The tool tip on the screen, or nullptr.
QWidget* toolTipWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible())
            return window;
    return nullptr;
}

// A desktop's style, palette and font around one test, the program's start-up look taken on
// top of them as at a real start; everything is put back afterwards.
class Desktop {
public:
    explicit Desktop(const QString& name)
        : m_style(QApplication::style()->name()), m_palette(QApplication::palette()),
          m_tipPalette(QToolTip::palette()), m_font(QApplication::font())
    {
        if (name == QStringLiteral("dark palette")) {
            QApplication::setPalette(darkPalette());
        } else if (name == QStringLiteral("Adwaita-Dark") ||
                   name == QStringLiteral("windowsvista")) {
            QStyle* adwaita = QStyleFactory::create(name);
            if (!adwaita)
                return;
            QApplication::setStyle(adwaita);
            QApplication::setPalette(adwaita->standardPalette());
        } else if (name == QStringLiteral("qt6ct darker")) {
            const QString scheme = QStringLiteral("/usr/share/qt6ct/colors/darker.conf");
            if (!QFileInfo::exists(scheme))
                return;
            // qt6ct's colours for the application and, as Qt takes them from it, for tool tips.
            QApplication::setPalette(qt6ctScheme(scheme));
            QToolTip::setPalette(qt6ctScheme(scheme));
        }
        useDesignStyle();
        // qt6ct sets its font once the program runs, after the start-up.
        if (name == QStringLiteral("qt6ct darker"))
            QApplication::setFont(desktopFont());
        m_ready = true;
    }
    ~Desktop()
    {
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
        QToolTip::setPalette(m_tipPalette);
        QApplication::setFont(m_font);
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    bool ready() const { return m_ready; }

private:
    QString m_style;
    QPalette m_palette;
    QPalette m_tipPalette;
    QFont m_font;
    bool m_ready = false;
};

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
    if (auto* menu = qobject_cast<QMenu*>(&window)) {
        for (QAction* item : menu->actions())
            if (!item->isSeparator() && item->isEnabled())
                add(item->text(), menu, menu->actionGeometry(item).adjusted(2, 1, -2, -1));
    }
    // A tool tip is a label of its own.
    if (auto* tip = qobject_cast<QLabel*>(&window))
        add(QStringLiteral("tip"), tip, tip->contentsRect());
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
        else if (auto* line = qobject_cast<QLineEdit*>(widget))
            add(line->parentWidget()->objectName(), line, line->rect());
    }
    return areas;
}

// Puts every button of the window under the pointer, or holds it down.
void setButtonState(QWidget& window, const QString& state)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (state == QStringLiteral("hovered"))
            button->setAttribute(Qt::WA_UnderMouse, true);
        else if (state == QStringLiteral("pressed"))
            button->setDown(true);
    }
}

} // namespace

class TestColourSchemes : public QObject {
    Q_OBJECT
private slots:
    // The program's windows keep their design under whatever the desktop sets: every text,
    // hovered, pressed and highlighted ones too, reads at 4.5:1 at least, in the design font.
    void everyTextReads_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("state"); // of the buttons: shown, hovered or pressed
        for (const char* desktop : desktops())
            for (const char* window : {"main", "about", "help", "menu", "question", "devices"})
                for (const char* state : {"shown", "hovered", "pressed"})
                    QTest::addRow("%s, %s, %s", desktop, window, state)
                        << QString::fromLatin1(desktop) << QString::fromLatin1(window)
                        << QString::fromLatin1(state);
        // What Qt draws by itself, which qt6ct reached where the system has it: a tool tip,
        // here the disabled Undo's (whose glyph must grey as on a light desktop), and the help's
        // context menu.
        for (const char* desktop : desktops()) {
            if (qstrcmp(desktop, "qt6ct darker") != 0)
                continue;
            for (const char* window : {"tip", "context menu"})
                QTest::addRow("qt6ct darker, %s, shown", window)
                    << QStringLiteral("qt6ct darker") << QString::fromLatin1(window)
                    << QStringLiteral("shown");
        }
    }
    void everyTextReads()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, window);
        QFETCH(QString, state);
        const Desktop look(desktop);
        QVERIFY2(look.ready(), "adwaita-qt6 and qt6ct are among the test packages, and the "
                               "Windows build has its style");
        FormFixture fixture;
        TMainForm& form = fixture.start();
        TAboutForm about([](const QUrl&) { return true; }, &form);
        THelpForm help(&form);
        const PortDevices chosen{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS1")};
        PortDevicesDialog devices(fixture.ports, chosen, chosen, &form);
        QtPrompts prompts(&form);
        const std::unique_ptr<QMessageBox> question =
            prompts.questionBox(QStringLiteral("Записать файл?"));
        auto* menu = form.findChild<QMenu*>(QStringLiteral("N1"));
        auto* undo = form.findChild<QToolButton*>(QStringLiteral("SpeedButtonUndo"));
        QWidget* opened = window == QStringLiteral("about")      ? static_cast<QWidget*>(&about)
                          : window == QStringLiteral("help")     ? &help
                          : window == QStringLiteral("menu")     ? menu
                          : window == QStringLiteral("question") ? question.get()
                          : window == QStringLiteral("devices")  ? static_cast<QWidget*>(&devices)
                                                                 : &form;
        if (window == QStringLiteral("menu")) {
            menu->popup(QPoint(100, 100));
            // The highlighted item, as under the pointer.
            menu->setActiveAction(menu->actions().constFirst());
        } else if (window == QStringLiteral("tip")) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QToolTip::showText(undo->mapToGlobal(undo->rect().center()), undo->toolTip(), undo);
            QTRY_VERIFY((opened = toolTipWindow()));
        } else if (window == QStringLiteral("context menu")) {
            help.show();
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            QWidget* text = help.findChild<QTextEdit*>()->viewport();
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                                    text->mapToGlobal(QPoint(20, 20)));
            QApplication::sendEvent(text, &click);
            QTRY_VERIFY((opened = QApplication::activePopupWidget()));
        } else {
            opened->show();
        }
        QWidget& shown = *opened;
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        // Unsmoothed glyphs: the text's own colour then fills whole pixels, to be measured.
        for (QWidget* widget : shown.findChildren<QWidget*>()) {
            QFont sharp = widget->font();
            sharp.setStyleStrategy(QFont::NoAntialias);
            widget->setFont(sharp);
        }
        QFont sharp = shown.font();
        sharp.setStyleStrategy(QFont::NoAntialias);
        shown.setFont(sharp);
        setButtonState(shown, state);
        const QImage image = shown.grab().toImage().convertToFormat(QImage::Format_RGB32);

        const QList<std::pair<QString, QRect>> areas = textAreas(shown);
        // A tool tip is one text, and the context menu of a text with nothing selected offers
        // only "Select All".
        const bool oneText = window == QStringLiteral("help") || window == QStringLiteral("tip") ||
                             window == QStringLiteral("context menu");
        const int fewest = window == QStringLiteral("main") ? 30 : oneText ? 1 : 2;
        QVERIFY(areas.size() >= fewest);
        QStringList unreadable;
        for (const auto& [name, area] : areas) {
            const double ratio = renderedContrast(image, area);
            // The logo is large text, for which 3:1 reads as well.
            const double needed = name == QStringLiteral("LabelLogo") ? 3.0 : 4.5;
            if (ratio < needed)
                unreadable << QStringLiteral("%1 %2:1").arg(name).arg(ratio, 0, 'f', 2);
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));

        QStringList inDesktopFont;
        QList<QWidget*> widgets = shown.findChildren<QWidget*>();
        widgets << &shown;
        for (QWidget* widget : widgets)
            if (QFontInfo(widget->font()).family() == QFontInfo(desktopFont()).family())
                inDesktopFont << widget->objectName() + u'/' +
                                     QString::fromLatin1(widget->metaObject()->className());
        QVERIFY2(inDesktopFont.isEmpty(), qPrintable(inDesktopFont.join(QStringLiteral(", "))));
        // The disabled Undo's glyph greys against the design's face, whatever the desktop's.
        if (window == QStringLiteral("tip")) {
            QVERIFY(!undo->isEnabled());
            QStyleOption design;
            design.palette = designPalette();
            const QImage greyed =
                QApplication::style()
                    ->generatedIconPixmap(QIcon::Disabled, undo->icon().pixmap(16), &design)
                    .toImage()
                    .convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(undo->icon()
                         .pixmap(16, QIcon::Disabled)
                         .toImage()
                         .convertToFormat(QImage::Format_ARGB32),
                     greyed);
        }
        // About's lines stay clear of the photograph beside them.
        if (auto* photo = about.findChild<QLabel*>(QStringLiteral("Image1"))) {
            for (const char* line : {"LabelVersion", "LabelCity", "LabelAuthor", "Label2"})
                QVERIFY2(about.findChild<QLabel*>(QString::fromLatin1(line))->geometry().right() <
                             photo->x(),
                         line);
        }
    }
};

QTEST_MAIN(TestColourSchemes)
#include "tst_ColourSchemes.moc"
