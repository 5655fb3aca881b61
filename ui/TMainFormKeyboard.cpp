// SPDX-License-Identifier: GPL-3.0-or-later
// The grid, the up-downs and the speed bar from the keyboard.
#include "ui/TMainForm.h"

#include "model/Cursor.h"
#include "ui/PaintSurface.h"
#include "ui/SliderFocusMark.h"
#include "ui/UpDown.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace zorvikta {

namespace {

// A scroll bar inverts its keys to suit a vertical one, so on a horizontal bar Right would lower
// the value. The speed bar's keys go the way its arrows point: right and up are faster.
class SpeedKeys final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto action = actionFor(static_cast<QKeyEvent*>(event)->key());
        if (action == QAbstractSlider::SliderNoAction)
            return false;
        static_cast<QAbstractSlider*>(watched)->triggerAction(action);
        return true;
    }

private:
    static QAbstractSlider::SliderAction actionFor(int key)
    {
        switch (key) {
        case Qt::Key_Right:
        case Qt::Key_Up:
            return QAbstractSlider::SliderSingleStepAdd;
        case Qt::Key_Left:
        case Qt::Key_Down:
            return QAbstractSlider::SliderSingleStepSub;
        case Qt::Key_PageUp:
            return QAbstractSlider::SliderPageStepAdd;
        case Qt::Key_PageDown:
            return QAbstractSlider::SliderPageStepSub;
        default:
            return QAbstractSlider::SliderNoAction;
        }
    }
};

} // namespace

// Tab only, so a mouse user's clicks leave the focus, and with it every pixel, as they were.
void TMainForm::buildKeyboard()
{
    m_paintBox->setFocusPolicy(Qt::TabFocus);
    m_scrollBarSpeed->setFocusPolicy(Qt::TabFocus);
    m_scrollBarSpeed->installEventFilter(new SpeedKeys(m_scrollBarSpeed));
    new SliderFocusMark(m_scrollBarSpeed);
    connect(m_paintBox, &PaintSurface::keyPressed, this, &TMainForm::PaintBoxKeyDown);
    connect(m_paintBox, &PaintSurface::focusChanged, this,
            [this](bool focused) { focused ? PaintBoxEnter() : PaintBoxExit(); });
}

// The cursor comes back into view where the view was left, rather than the view jumping to it.
void TMainForm::PaintBoxEnter()
{
    const GridView view = gridView();
    CellCursor cursor = clampToActive(m_cellCursor, view);
    const int columns = wholeColumns(m_paintBox->width());
    if (cursor.step < view.firstVisibleStep || cursor.step >= view.firstVisibleStep + columns)
        cursor.step = std::min(view.firstVisibleStep, view.length - 1);
    moveCellCursor(cursor);
}

void TMainForm::PaintBoxExit()
{
    PaintSymbol();
}

void TMainForm::PaintBoxKeyDown(Qt::Key key)
{
    CellCursor cursor = clampToActive(m_cellCursor, gridView());
    switch (key) {
    case Qt::Key_Left:
        --cursor.step;
        break;
    case Qt::Key_Right:
        ++cursor.step;
        break;
    case Qt::Key_Up:
        --cursor.channel;
        break;
    case Qt::Key_Down:
        ++cursor.channel;
        break;
    default:
        break;
    }
    moveCellCursor(clampToActive(cursor, gridView()));
    const int x = (m_cellCursor.step - m_scrollBarArea->value()) * kGridPitch;
    const int y = m_cellCursor.channel * kGridPitch;
    if (key == Qt::Key_Space) {
        const bool lit =
            isLit(m_runRecord[static_cast<std::size_t>(m_cellCursor.step)], m_cellCursor.channel);
        PaintBoxMouse(lit ? DrawOff : DrawOn, x, y);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        PaintBoxDblClick();
    }
}

// Like the pointer over an active cell: the view scrolls to it, panels 0 and 1 and HoverStep
// follow it.
void TMainForm::moveCellCursor(CellCursor cursor)
{
    m_cellCursor = cursor;
    const int columns = wholeColumns(m_paintBox->width());
    // A grid narrower than designed shows fewer columns than the bar's range was made for; the
    // range grows so that the view still reaches the last step.
    m_scrollBarArea->setMaximum(std::max(m_scrollBarArea->maximum(), kVisibleStepLimit - columns));
    m_scrollBarArea->setValue(firstVisibleShowing(cursor.step, m_scrollBarArea->value(), columns,
                                                  m_scrollBarArea->maximum()));
    hoverCell({cursor.step, cursor.channel});
    PaintSymbol();
}

} // namespace zorvikta
