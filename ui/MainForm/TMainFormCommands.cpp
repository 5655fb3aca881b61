// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-pattern commands and the presets: message, snapshot, model operation, repaint.
#include "ui/MainForm/TMainForm.h"

#include "model/EditCommands.h"
#include "model/Presets.h"
#include "ui/MainForm/DocumentNames.h"
#include "ui/UpDown.h"

#include <QLabel>
#include <QScrollBar>

namespace zorvikta {

void TMainForm::SpeedButtonClearAllClick()
{
    StatusBarHelp(QStringLiteral("Очистка рабочего пространства..."));
    ToUndo();
    clearAll(m_runRecord);
    PaintSymbol();
}

void TMainForm::SpeedButtonFillAllClick()
{
    StatusBarHelp(QStringLiteral("Заполнение рабочего пространства..."));
    ToUndo();
    fillAll(m_runRecord);
    PaintSymbol();
}

void TMainForm::SpeedButtonInversClick()
{
    StatusBarHelp(QStringLiteral("Инвертируем яркость"));
    ToUndo();
    invert(m_runRecord);
    PaintAll();
}

void TMainForm::SpeedButtonDeleteClick()
{
    StatusBarHelp(QStringLiteral("Удалить шаг "));
    ToUndo();
    deleteStep(m_runRecord, m_cursor.MarkedStep);
    PaintSymbol();
}

void TMainForm::SpeedButtonInsertClick()
{
    StatusBarHelp(QStringLiteral("Добавить шаг"));
    ToUndo();
    insertStep(m_runRecord, m_cursor.MarkedStep);
    PaintSymbol();
}

void TMainForm::SpeedButtonSplashClick()
{
    StatusBarHelp(QStringLiteral("Обмен местами передние-задние"));
    reverseSteps(m_runRecord);
    PaintAll();
}

void TMainForm::SpeedButtonRotateChClick()
{
    StatusBarHelp(QStringLiteral("Обмен каналов"));
    swapChannels(m_runRecord);
    PaintAll();
}

void TMainForm::SpeedButtonPresetClick(const Preset& preset)
{
    ToUndo();
    m_ui.upDownCh->setPosition(preset.channels);
    m_ui.upDownLeng->setPosition(preset.length);
    writePresetSteps(preset, m_runRecord, m_random);
    SpeedButtonNabor();
}

void TMainForm::SpeedButtonNabor()
{
    m_ui.scrollBarArea->setValue(0);
    m_ui.labelCh->setText(QString::number(m_ui.upDownCh->position()));
    m_ui.labelLeng->setText(QString::number(m_ui.upDownLeng->position()));
    writeHeader(m_runRecord,
                {.channelCount = m_ui.upDownCh->position(), .length = m_ui.upDownLeng->position()});
    PaintAll();
    m_saveFileName = newDocumentName();
    setCaption();
}

} // namespace zorvikta
