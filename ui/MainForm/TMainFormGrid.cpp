// SPDX-License-Identifier: GPL-3.0-or-later
// The grid editor and the emulator strip.
#include "ui/TMainForm.h"

#include "ui/PaintSurface.h"
#include "ui/PatternPainters.h"
#include "ui/StatusPanels.h"
#include "ui/UpDown.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace zorvikta {

namespace {
constexpr int kChannelPanel = 0;
constexpr int kStepPanel = 1;
constexpr int kMarkPanel = 2;
} // namespace

void TMainForm::PaintSymbol()
{
    QImage& canvas = m_paintBox->canvas();
    if (canvas.isNull())
        return;
    QPainter painter(&canvas);
    const GridView view = gridView();
    paintGrid(painter, canvas.size(), m_runRecord, view, palette().color(QPalette::Button));
    if (m_paintBox->hasFocus())
        paintCellCursor(painter, view, clampToActive(m_cellCursor, view));
    painter.end();
    m_paintBox->update();
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
    m_statusBar->setPanelText(kChannelPanel,
                              QStringLiteral("Канал ") + QString::number(hit.channel + 1));
    m_cursor.HoverStep = hit.step;
    m_statusBar->setPanelText(kStepPanel,
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
    m_statusBar->setPanelText(kMarkPanel,
                              QStringLiteral("Ins ") + QString::number(m_cursor.HoverStep + 1));
    m_cursor.MarkedStep = m_cursor.HoverStep;
    m_speedButtonDelete->setToolTip(QStringLiteral("Удалить шаг ") +
                                    QString::number(m_cursor.MarkedStep + 1));
    m_speedButtonInsert->setToolTip(QStringLiteral("Вставить шаг ") +
                                    QString::number(m_cursor.MarkedStep + 1));
}

void TMainForm::PaintRun(std::uint8_t stepByte)
{
    QImage& canvas = m_paintBoxRun->canvas();
    if (canvas.isNull())
        return;
    QPainter painter(&canvas);
    paintStrip(painter, stepByte);
    painter.end();
    m_paintBoxRun->update();
}

// A stopped tick leaves the step drawn last on show.
void TMainForm::TimerRunTimer()
{
    if (!m_speedButtonPlay->isChecked())
        return;
    m_labelStep->setText(QStringLiteral("Шаг = ") + QString::number(m_cursor.PlayStep + 1));
    paintPlayStep();
    ++m_cursor.PlayStep;
    if (m_cursor.PlayStep >= m_upDownLeng->position())
        m_cursor.PlayStep = 0;
}

void TMainForm::paintPlayStep()
{
    PaintRun(m_runRecord[static_cast<std::size_t>(m_cursor.PlayStep)]);
}

void TMainForm::SpeedButtonPlayClick()
{
    paintPlayStep();
}

void TMainForm::ItemPlayClick()
{
    m_speedButtonPlay->setChecked(true);
    paintPlayStep();
}

void TMainForm::ItemStopClick()
{
    m_speedButtonPlay->setChecked(false);
    paintPlayStep();
}

} // namespace zorvikta
