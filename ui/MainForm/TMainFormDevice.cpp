// SPDX-License-Identifier: GPL-3.0-or-later
// Sending the pattern and the speed to the board.
#include "ui/MainForm/TMainForm.h"

#include "device/LinkError.h"
#include "device/Messages.h"
#include "device/PortListing.h"
#include "device/Ports.h"
#include "device/SerialLink.h"
#include "device/UploadSequence.h"
#include "ui/PortDevicesDialog.h"
#include "ui/PortWarningGate.h"
#include "ui/Prompts.h"
#include "ui/StatusPanels.h"
#include "ui/ToolTipLines.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QCheckBox>

namespace zorvikta {

namespace {
constexpr int kPortPanel = 2;
const QString kPortNotice = QStringLiteral(" COM Порт не удалось открыть!");
} // namespace

QString TMainForm::currentDeviceName() const
{
    return portDeviceName(m_ui.itemCom1->isChecked() ? PortChoice::Com1 : PortChoice::Com2,
                          m_devices);
}

// Each port item names its device and what the device says it is.
void TMainForm::showPortHints()
{
    const QList<SerialPortEntry> present = m_services.serialPorts.availablePorts();
    m_ui.itemCom1->setToolTip(
        toolTipLines(portHint(present, portDeviceName(PortChoice::Com1, m_devices)), screen()));
    m_ui.itemCom2->setToolTip(
        toolTipLines(portHint(present, portDeviceName(PortChoice::Com2, m_devices)), screen()));
}

// A port that fails is reported and the program goes on: the pattern in memory stays the user's.
void TMainForm::reportLinkFailure(const LinkError& error)
{
    const QString text = error.stage == LinkError::Stage::Open
                             ? QStringLiteral("Не могу открыть порт")
                         : error.stage == LinkError::Stage::Configure
                             ? QStringLiteral("Не могу сконфигурировать порт")
                             : QStringLiteral("Не могу передать данные в порт");
    QString details = describeLinkError(error);
    if (error.cause == LinkError::Cause::NotFound && m_ui.itemDevices->isEnabled())
        details += QStringLiteral(" Устройство для порта можно выбрать в меню «СОМ Порт», пункт "
                                  "«Выбор устройства...».");
    m_ui.portWarnings->raise(text, details);
    if (error.stage != LinkError::Stage::Write)
        showPortNotice();
}

// The notice borrows the marked step's panel; the first transfer that goes through gives it back.
void TMainForm::showPortNotice()
{
    if (m_ui.statusBar->panelText(kPortPanel) != kPortNotice)
        m_markPanelBeforePortFailure = m_ui.statusBar->panelText(kPortPanel);
    m_ui.statusBar->setPanelText(kPortPanel, kPortNotice);
}

void TMainForm::clearPortNotice()
{
    if (m_ui.statusBar->panelText(kPortPanel) == kPortNotice)
        m_ui.statusBar->setPanelText(kPortPanel, m_markPanelBeforePortFailure);
}

bool TMainForm::sendToDevice(const QByteArray& message)
{
    if (const std::optional<LinkError> error =
            m_services.serialLink.send(currentDeviceName(), message)) {
        reportLinkFailure(*error);
        return false;
    }
    clearPortNotice();
    return true;
}

// The record is normalised only once the message has gone out, so a failed port changes nothing.
// The speed follows through SpeedToDevice, which the speed scroll bar shares.
void TMainForm::SpeedButtonTxClick()
{
    StatusBarHelp(QStringLiteral(" Передача файла данных..."));
    const UploadSequence sequence = uploadSequence(m_runRecord, m_ui.upDownLeng->position());
    if (!sendToDevice(sequence.upload))
        return;
    m_runRecord = sequence.normalised;
    SpeedToDevice();
}

void TMainForm::SpeedToDevice()
{
    if (!m_ui.checkBoxToBox->isChecked())
        return;
    StatusBarHelp(QStringLiteral(" Установка скорости в устройстве..."));
    sendToDevice(speedMessage(m_runRecord[kSpeedIndex]));
}

void TMainForm::itemCom1Click()
{
    m_ui.itemCom1->setChecked(true);
    m_ui.itemCom2->setChecked(false);
    SaveIniFile();
}

void TMainForm::itemCom2Click()
{
    m_ui.itemCom1->setChecked(false);
    m_ui.itemCom2->setChecked(true);
    SaveIniFile();
}

// Window-modal rather than a nested event loop: the window stays behind it, and a test drives the
// dialog like any other widget.
void TMainForm::itemDevicesClick()
{
    auto* dialog =
        new PortDevicesDialog(m_services.serialPorts, m_devices, defaultPortDevices(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        m_devices = dialog->chosen();
        writeSettings(SettingsKeys::ChoicesAndDevices);
    });
    dialog->open();
}

} // namespace zorvikta
