// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator strip: the lamps of the step playing, the play timer, Play and Stop.
#include "ui/MainForm/TMainForm.h"

#include "ui/PaintSurface.h"
#include "ui/PatternPainters.h"
#include "ui/UpDown.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace zorvikta {

void TMainForm::PaintRun(std::uint8_t stepByte)
{
    QImage& canvas = m_ui.paintBoxRun->canvas();
    if (canvas.isNull())
        return;
    QPainter painter(&canvas);
    paintStrip(painter, stepByte);
    painter.end();
    m_ui.paintBoxRun->update();
}

// A stopped tick leaves the step drawn last on show.
void TMainForm::TimerRunTimer()
{
    if (!m_ui.speedButtonPlay->isChecked())
        return;
    m_ui.labelStep->setText(QStringLiteral("Шаг = ") + QString::number(m_cursor.PlayStep + 1));
    paintPlayStep();
    ++m_cursor.PlayStep;
    if (m_cursor.PlayStep >= m_ui.upDownLeng->position())
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
    m_ui.speedButtonPlay->setChecked(true);
    paintPlayStep();
}

void TMainForm::ItemStopClick()
{
    m_ui.speedButtonPlay->setChecked(false);
    paintPlayStep();
}

} // namespace zorvikta
