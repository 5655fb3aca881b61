// SPDX-License-Identifier: GPL-3.0-or-later
// Creation, the repaint from the record, the value controls, undo, closing and the help windows.
#include "ui/MainForm/TMainForm.h"

#include "model/StepPeriod.h"
#include "storage/RunFile.h"
#include "ui/About/TAboutForm.h"
#include "ui/DesignLook.h"
#include "ui/DesignPalette.h"
#include "ui/Diagram/TDigrForm.h"
#include "ui/Help/THelpForm.h"
#include "ui/MainForm/DocumentNames.h"
#include "ui/OpenBoxes.h"
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
    m_ui.setupUi(*this);
    // The menus are windows of their own and would take the desktop's colours and font.
    for (QMenu* menu : findChildren<QMenu*>())
        giveDesignLook(*menu);
    setCaption();
    setAcceptDrops(true);
    FormCreate();
    m_ui.timerRun->start();
    m_ui.timerStatus->start();
}

// The grid loses the focus while the base class destroys it; by then this window's own handlers
// are gone and must not be called.
TMainForm::~TMainForm()
{
    disconnect(m_ui.paintBox, nullptr, this, nullptr);
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
        m_openFileName = systemFileName(m_services.startFile);
    else if (runFileMissing(m_openFileName))
        m_openFileName = scratchFileName();
    StatusBarHelp(QStringLiteral("загрузка файла: ") + m_openFileName);
    // A file that exists but cannot be read leaves the window as designed: the first repaint
    // shows it. Until something is saved, the settings go on naming the last file they named,
    // for the start at which it can be read again; a file named on the command line that failed
    // does not take its place.
    if (LoadRunFile() == LoadOutcome::Failed) {
        m_unreadLastFile = settingsLastFile;
        return;
    }
    m_saveFileName = m_openFileName;
    m_ui.speedButtonSave->setEnabled(true);
    setCaption();
    PaintAll();
}

void TMainForm::Custom()
{
    writeHeader(m_runRecord, {.channelCount = m_ui.upDownCh->position(),
                              .length = m_ui.upDownLeng->position(),
                              .speed = m_ui.scrollBarSpeed->value()});
    for (int panel = 0; panel < StatusPanels::kPanelCount; ++panel)
        m_ui.statusBar->setPanelText(panel, QStringLiteral(" "));
}

QString TMainForm::programCaption()
{
    return kCaption;
}

// The program's name, and the file's once there is one.
void TMainForm::setCaption()
{
    setWindowTitle(m_saveFileName.isEmpty() ? kCaption
                                            : kCaption + QStringLiteral(": ") + m_saveFileName);
}

GridView TMainForm::gridView() const
{
    return {m_ui.upDownCh->position(), m_ui.upDownLeng->position(), m_ui.scrollBarArea->value()};
}

// The record's channel count, length and speed go into their controls (the controls clamp
// values a foreign file may bring); everything is redrawn from the controls.
void TMainForm::PaintAll()
{
    m_ui.upDownCh->setPosition(m_runRecord[kChannelCountIndex]);
    m_ui.upDownLeng->setPosition(m_runRecord[kLengthIndex]);
    m_ui.scrollBarSpeed->setValue(m_runRecord[kSpeedIndex]);
    m_ui.labelCh->setText(QString::number(m_ui.upDownCh->position()));
    m_ui.labelLeng->setText(QString::number(m_ui.upDownLeng->position()));
    setRunInterval(m_ui.scrollBarSpeed->value());
    m_ui.labelSpeed->setText(QStringLiteral("Cкорость ") +
                             QString::number(m_ui.scrollBarSpeed->value()));
    PaintSymbol();
    paintPlayStep();
}

void TMainForm::setRunInterval(int speed)
{
    // Restarting on an unchanged interval would delay the next step on every repaint.
    const int period = stepPeriodMs(speed);
    if (m_ui.timerRun->interval() != period)
        m_ui.timerRun->setInterval(period);
}

void TMainForm::StatusBarHelp(const QString& text)
{
    m_ui.statusBar->setPanelText(kMessagePanel, text);
    // Shown before a long file or port transfer returns to the event loop.
    m_ui.statusBar->repaint();
    if (!m_ui.timerStatus->isActive())
        m_ui.timerStatus->start();
}

void TMainForm::TimerStatusTimer()
{
    m_ui.timerStatus->stop();
    m_ui.statusBar->setPanelText(kMessagePanel, QStringLiteral(" "));
}

void TMainForm::UpDownChClick()
{
    writeHeader(m_runRecord, {.channelCount = m_ui.upDownCh->position()});
    m_ui.labelCh->setText(QString::number(m_ui.upDownCh->position()));
    PaintAll();
}

void TMainForm::UpDownLengClick()
{
    writeHeader(m_runRecord, {.length = m_ui.upDownLeng->position()});
    m_ui.labelLeng->setText(QString::number(m_ui.upDownLeng->position()));
    PaintAll();
}

void TMainForm::ScrollBarSpeedChange()
{
    writeHeader(m_runRecord, {.speed = m_ui.scrollBarSpeed->value()});
    setRunInterval(m_runRecord[kSpeedIndex]);
    m_ui.labelSpeed->setText(QStringLiteral("Cкорость ") +
                             QString::number(m_ui.scrollBarSpeed->value()));
    // A box opened from here would open inside the bar's own press handling and swallow its
    // release; the bar would then repeat under it.
    const PortWarningGate::Deferral deferral(*m_ui.portWarnings);
    SpeedToDevice();
}

void TMainForm::ScrollBarAreaChange()
{
    m_ui.labelScroll->setText(QString::number(m_ui.scrollBarArea->value() + 1));
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
        takeAwayOpenBoxes();
        return;
    }
    close();
}

void TMainForm::ToUndo()
{
    m_undoRecord = m_runRecord;
    m_ui.speedButtonUndo->setEnabled(true);
}

void TMainForm::SpeedButtonUndoClick()
{
    StatusBarHelp(QStringLiteral("Восстанавливаем прежнее состояние"));
    m_runRecord = m_undoRecord;
    m_ui.speedButtonUndo->setEnabled(false);
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

// The help menu's windows, created by the program entry and shown modally here.
void TMainForm::itemAboutClick()
{
    if (m_aboutForm)
        m_aboutForm->exec();
}

void TMainForm::ItemHelpClick()
{
    if (m_helpForm)
        m_helpForm->exec();
}

void TMainForm::ItemDiagramClick()
{
    if (m_digrForm)
        m_digrForm->exec();
}

} // namespace zorvikta
