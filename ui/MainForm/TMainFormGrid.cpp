// SPDX-License-Identifier: GPL-3.0-or-later
// The grid: its painting, and its editing with the mouse and from the keyboard.
#include "ui/MainForm/TMainForm.h"

#include "model/Cursor.h"
#include "ui/PaintSurface.h"
#include "ui/PatternPainters.h"
#include "ui/StatusPanels.h"
#include "ui/UpDown.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace zorvikta {

namespace {
constexpr int kChannelPanel = 0;
constexpr int kStepPanel = 1;
constexpr int kMarkPanel = 2;
} // namespace

void TMainForm::PaintSymbol()
{
    QImage& canvas = m_ui.paintBox->canvas();
    if (canvas.isNull())
        return;
    QPainter painter(&canvas);
    const GridView view = gridView();
    paintGrid(painter, canvas.size(), m_runRecord, view, palette().color(QPalette::Button));
    if (m_ui.paintBox->hasFocus())
        paintCellCursor(painter, view, clampToActive(m_cellCursor, view));
    painter.end();
    m_ui.paintBox->update();
}

void TMainForm::PaintBoxMouseMove(int x, int y)
{
    StatusBarHelp(
        QStringLiteral("Левая кнопка мышки - включить канал в текущеи шаге, правая - выключить"));
    const std::optional<GridHit> hit = hitTest(gridView(), x, y);
    if (!hit)
        return;
    hoverCell(*hit);
    if (m_cursor.DrawMode != DrawNone)
        PaintBoxMouse(m_cursor.DrawMode, x, y);
}

void TMainForm::hoverCell(const GridHit& hit)
{
    m_ui.statusBar->setPanelText(kChannelPanel,
                                 QStringLiteral("Канал ") + QString::number(hit.channel + 1));
    m_cursor.HoverStep = hit.step;
    m_ui.statusBar->setPanelText(kStepPanel,
                                 QStringLiteral("Шаг ") + QString::number(m_cursor.HoverStep + 1));
}

void TMainForm::PaintBoxMouseDown(Qt::MouseButton button, int x, int y)
{
    m_cursor.DrawMode = button == Qt::LeftButton    ? DrawOn
                        : button == Qt::RightButton ? DrawOff
                                                    : DrawNone;
    PaintBoxMouse(m_cursor.DrawMode, x, y);
}

void TMainForm::PaintBoxMouseUp()
{
    m_cursor.DrawMode = DrawNone;
}

void TMainForm::PaintBoxMouse(int mode, int x, int y)
{
    const std::optional<GridHit> hit = hitTest(gridView(), x, y);
    if (hit && (mode == DrawOn || mode == DrawOff))
        setLit(m_runRecord[static_cast<std::size_t>(hit->step)], hit->channel, mode == DrawOn);
    PaintSymbol();
}

void TMainForm::PaintBoxDblClick()
{
    StatusBarHelp(QStringLiteral("Отмечен шаг для удаления или добавления"));
    m_ui.statusBar->setPanelText(kMarkPanel,
                                 QStringLiteral("Ins ") + QString::number(m_cursor.HoverStep + 1));
    m_cursor.MarkedStep = m_cursor.HoverStep;
    m_ui.speedButtonDelete->setToolTip(QStringLiteral("Удалить шаг ") +
                                       QString::number(m_cursor.MarkedStep + 1));
    m_ui.speedButtonInsert->setToolTip(QStringLiteral("Вставить шаг ") +
                                       QString::number(m_cursor.MarkedStep + 1));
}

// The cursor comes back into view where the view was left, rather than the view jumping to it.
// Tab brings it as the pointer would come, to the panels and HoverStep too; the focus the window
// gives back by itself (at the start, after a box or a menu) only shows the cursor, so that a
// mouse user's status panels and marked step stay as the pointer left them.
void TMainForm::PaintBoxEnter(Qt::FocusReason reason)
{
    const GridView view = gridView();
    CellCursor cursor = clampToActive(m_cellCursor, view);
    const int columns = wholeColumns(m_ui.paintBox->width());
    if (cursor.step < view.firstVisibleStep || cursor.step >= view.firstVisibleStep + columns)
        cursor.step = std::min(view.firstVisibleStep, view.length - 1);
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
    if (byKeyboard) {
        moveCellCursor(cursor);
        return;
    }
    m_cellCursor = cursor;
    PaintSymbol();
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
    const int x = (m_cellCursor.step - m_ui.scrollBarArea->value()) * kGridPitch;
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
    fitStepBarRange();
    m_ui.scrollBarArea->setValue(firstVisibleShowing(cursor.step, m_ui.scrollBarArea->value(),
                                                     wholeColumns(m_ui.paintBox->width()),
                                                     m_ui.scrollBarArea->maximum()));
    hoverCell({cursor.step, cursor.channel});
    PaintSymbol();
}

// The bar's range is the design's 0..70 while the grid is wide enough for it; a grid narrower
// than that shows fewer columns than the range was made for, and the range grows so that the view
// still reaches the last step. It follows the width both ways: widened again, the range shrinks
// back and a first visible step beyond it comes back with it.
void TMainForm::fitStepBarRange()
{
    const int columns = wholeColumns(m_ui.paintBox->width());
    m_ui.scrollBarArea->setMaximum(std::max(kDesignLastFirstVisible, kVisibleStepLimit - columns));
}

} // namespace zorvikta
