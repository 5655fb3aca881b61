// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TMainForm.h"

#include "model/StepPeriod.h"
#include "storage/RunFile.h"
#include "ui/DesignLook.h"
#include "ui/DesignPalette.h"
#include "ui/DocumentNames.h"
#include "ui/PaintSurface.h"
#include "ui/PortWarningGate.h"
#include "ui/StatusPanels.h"
#include "ui/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace zorvikta {

namespace {
const QString kCaption = QStringLiteral("Эмулятор релейной бегушки");
constexpr int kMessagePanel = 3;
} // namespace

TMainForm::TMainForm(MainFormServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services))
{
    // Before the controls are made: the labels take their text colours from it.
    setPalette(designPalette());
    buildWindow();
    // The menus are windows of their own and would take the desktop's colours and font.
    for (QMenu* menu : findChildren<QMenu*>())
        giveDesignLook(*menu);
    buildKeyboard();
    buildShortcuts();
    setAcceptDrops(true);
    FormCreate();
    m_timerRun->start();
    m_timerStatus->start();
}

// The grid loses the focus while the base class destroys it; by then this window's own handlers
// are gone and must not be called.
TMainForm::~TMainForm()
{
    disconnect(m_paintBox, nullptr, this, nullptr);
}

void TMainForm::setHelpWindows(TAboutForm* about, THelpForm* help, TDigrForm* diagram)
{
    m_aboutForm = about;
    m_helpForm = help;
    m_digrForm = diagram;
}

void TMainForm::FormCreate()
{
    m_runRecord.fill(0);
    Custom();
    StatusBarHelp(QStringLiteral("текущие установки"));
    m_saveFileName = designFileName();
    ReadIniFile();
    const QString settingsLastFile = m_openFileName;
    // A file named on the command line is the user's choice: missing, it is the one to create.
    if (!m_services.startFile.isEmpty())
        m_openFileName = m_services.startFile;
    else if (runFileMissing(m_openFileName))
        m_openFileName = scratchFileName();
    StatusBarHelp(QStringLiteral("загрузка файла: ") + m_openFileName);
    // A file that exists but cannot be read leaves the window as designed: the first repaint
    // shows it. The settings go on naming the last file they named, for the start at which it
    // can be read again; a file named on the command line that failed does not take its place.
    if (LoadRunFile() == LoadOutcome::Failed) {
        m_unreadLastFile = settingsLastFile;
        return;
    }
    m_saveFileName = m_openFileName;
    m_speedButtonSave->setEnabled(true);
    setCaption();
    PaintAll();
}

void TMainForm::Custom()
{
    writeHeader(m_runRecord, {.channelCount = m_upDownCh->position(),
                              .length = m_upDownLeng->position(),
                              .speed = m_scrollBarSpeed->value()});
    for (int panel = 0; panel < StatusPanels::kPanelCount; ++panel)
        m_statusBar->setPanelText(panel, QStringLiteral(" "));
}

void TMainForm::setCaption()
{
    setWindowTitle(kCaption + QStringLiteral(": ") + m_saveFileName);
}

GridView TMainForm::gridView() const
{
    return {m_upDownCh->position(), m_upDownLeng->position(), m_scrollBarArea->value()};
}

// The record's channel count, length and speed go into their controls (the controls clamp
// values a foreign file may bring); everything is redrawn from the controls.
void TMainForm::PaintAll()
{
    m_upDownCh->setPosition(m_runRecord[kChannelCountIndex]);
    m_upDownLeng->setPosition(m_runRecord[kLengthIndex]);
    m_scrollBarSpeed->setValue(m_runRecord[kSpeedIndex]);
    m_labelCh->setText(QString::number(m_upDownCh->position()));
    m_labelLeng->setText(QString::number(m_upDownLeng->position()));
    setRunInterval(m_scrollBarSpeed->value());
    m_labelSpeed->setText(QStringLiteral("Cкорость ") + QString::number(m_scrollBarSpeed->value()));
    PaintSymbol();
    paintPlayStep();
}

void TMainForm::setRunInterval(int speed)
{
    // Restarting on an unchanged interval would delay the next step on every repaint.
    const int period = stepPeriodMs(speed);
    if (m_timerRun->interval() != period)
        m_timerRun->setInterval(period);
}

void TMainForm::StatusBarHelp(const QString& text)
{
    m_statusBar->setPanelText(kMessagePanel, text);
    // Shown before a long file or port transfer returns to the event loop.
    m_statusBar->repaint();
    if (!m_timerStatus->isActive())
        m_timerStatus->start();
}

void TMainForm::TimerStatusTimer()
{
    m_timerStatus->stop();
    m_statusBar->setPanelText(kMessagePanel, QStringLiteral(" "));
}

void TMainForm::UpDownChClick()
{
    writeHeader(m_runRecord, {.channelCount = m_upDownCh->position()});
    m_labelCh->setText(QString::number(m_upDownCh->position()));
    PaintAll();
}

void TMainForm::UpDownLengClick()
{
    writeHeader(m_runRecord, {.length = m_upDownLeng->position()});
    m_labelLeng->setText(QString::number(m_upDownLeng->position()));
    PaintAll();
}

void TMainForm::ScrollBarSpeedChange()
{
    writeHeader(m_runRecord, {.speed = m_scrollBarSpeed->value()});
    setRunInterval(m_runRecord[kSpeedIndex]);
    m_labelSpeed->setText(QStringLiteral("Cкорость ") + QString::number(m_scrollBarSpeed->value()));
    // A box opened from here would open inside the bar's own press handling and swallow its
    // release; the bar would then repeat under it.
    const PortWarningGate::Deferral deferral(*m_portWarnings);
    SpeedToDevice();
}

void TMainForm::ScrollBarAreaChange()
{
    m_labelScroll->setText(QString::number(m_scrollBarArea->value() + 1));
    PaintSymbol();
}

void TMainForm::itemCloseClick()
{
    close();
}

void TMainForm::closeWithoutAsking()
{
    m_closingWithoutAsking = true;
    // A close already waiting for an answer cannot be started again: take its boxes away
    // unanswered instead, and that close goes on as this one would.
    if (m_askingOnClose) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isModal() && window->isVisible())
                window->hide();
        return;
    }
    close();
}

void TMainForm::ToUndo()
{
    m_undoRecord = m_runRecord;
    m_speedButtonUndo->setEnabled(true);
}

void TMainForm::SpeedButtonUndoClick()
{
    StatusBarHelp(QStringLiteral("Восстанавливаем прежнее состояние"));
    m_runRecord = m_undoRecord;
    m_speedButtonUndo->setEnabled(false);
    PaintAll();
}

void TMainForm::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    PaintAll();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    PaintAll();
}

} // namespace zorvikta
