// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesignLook.h"

#include "ui/CrispScrollBars.h"
#include "ui/DesignPalette.h"
#include "ui/ProgramFont.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace zorvikta {

namespace {

// The windows Qt makes for the program by itself (tool tips, context menus, a combo box's list)
// take neither the look of the window they belong to nor, for the font, the application's at
// the start: a desktop such as qt6ct sets its own font on the application once the program runs,
// and hands tool tips its colours. Each such window is given the design look as it is polished;
// a window with colours or a font of its own keeps them, a tool tip never does.
class DesignLookForQtWindows final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Polish || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow())
            return false;
        const bool tip = widget->inherits("QTipLabel");
        if (tip || !widget->testAttribute(Qt::WA_SetPalette))
            widget->setPalette(designPalette());
        if (tip || !widget->testAttribute(Qt::WA_SetFont))
            widget->setFont(programFont());
        return false;
    }
};

} // namespace

void useDesignStyle()
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new CrispScrollBars(fusion));
    // After the style, which takes the desktop's fonts for each kind of widget again. The
    // application's palette is what a disabled glyph is greyed against; once it is set, qt6ct
    // leaves it alone.
    QApplication::setPalette(designPalette());
    QApplication::setFont(programFont());
    static QPointer<QObject> qtWindows;
    if (qApp && !qtWindows) {
        qtWindows = new DesignLookForQtWindows(qApp);
        qApp->installEventFilter(qtWindows);
    }
}

void giveDesignLook(QWidget& window)
{
    window.setPalette(designPalette());
    window.setFont(programFont());
}

} // namespace zorvikta
