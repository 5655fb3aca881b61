// SPDX-License-Identifier: GPL-3.0-or-later
// Run files, the settings file and the document commands, and run files dropped on the window.
#include "ui/MainForm/TMainForm.h"

#include "device/Ports.h"
#include "storage/FileAccess.h"
#include "storage/RunFile.h"
#include "ui/MainForm/DocumentNames.h"
#include "ui/Prompts.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>

#include <optional>

namespace zorvikta {

bool TMainForm::SaveRunFile()
{
    fillEndMarkers(m_runRecord, m_ui.upDownLeng->position());
    StatusBarHelp(QStringLiteral("Запись файла: ") + m_saveFileName);
    setCaption();
    const RunFileImage image = fileImage(m_runRecord);
    // The scratch copy must never stand in the way of the user's own file.
    if (const auto scratchError =
            writeRunFile(scratchFileName(), image, saveNameOf(scratchFileName())))
        StatusBarHelp(QStringLiteral("Копия ") + scratchFileName() +
                      QStringLiteral(" не записана: ") + scratchError->message);
    if (const auto error = writeRunFile(m_saveFileName, image, saveNameOf(m_saveFileName))) {
        m_services.prompts.showError(error->message, fileErrorDetails(m_saveFileName, *error));
        return false;
    }
    // What was saved is the last file now, even under the design name after a failed start.
    m_unreadLastFile.clear();
    return true;
}

// A failed load changes nothing but says why.
TMainForm::LoadOutcome TMainForm::LoadRunFile()
{
    if (runFileMissing(m_openFileName)) {
        m_services.prompts.warn(QStringLiteral("Файла не существует!"),
                                systemFilePath(m_openFileName));
        return LoadOutcome::Missing;
    }
    RunFileImage image{};
    // A name no file can have is refused before it is shown anywhere else.
    std::optional<FileError> error = files::refusalOfFileName(m_openFileName);
    if (!error) {
        StatusBarHelp(QStringLiteral("Чтение файла: ") + m_openFileName);
        error = readRunFile(m_openFileName, image);
    }
    if (error) {
        m_services.prompts.showError(error->message, fileErrorDetails(m_openFileName, *error));
        return LoadOutcome::Failed;
    }
    m_ui.speedButtonSave->setEnabled(true);
    m_saveFileName = m_openFileName;
    takeFileImage(m_runRecord, image);
    return LoadOutcome::Loaded;
}

void TMainForm::ReadIniFile()
{
    const Settings settings = settingsFile().read();
    m_openFileName = systemFileName(settings.lastFile);
    // A last file no file can be named is not looked for: start-up goes on as without one, and
    // says why unless the command line names the file to open.
    if (settings.lastFileRefusal) {
        if (m_services.startFile.isEmpty())
            m_services.prompts.showError(
                settings.lastFileRefusal->message,
                fileErrorDetails(settings.lastFile, *settings.lastFileRefusal));
        m_openFileName = scratchFileName();
    }
    m_ui.checkBoxToBox->setChecked(settings.speedToBoxAtOnce);
    m_ui.itemCom1->setChecked(settings.port == PortChoice::Com1);
    m_ui.itemCom2->setChecked(settings.port != PortChoice::Com1);
    m_devices = settings.devices;
}

bool TMainForm::SaveIniFile()
{
    return writeSettings(SettingsKeys::Choices);
}

SettingsFile TMainForm::settingsFile() const
{
    return SettingsFile(m_services.settingsPath, defaultPortDevices());
}

// The devices go into the file only when the user has just chosen them, so that a device line
// edited by hand while the program runs is not undone by a port pick or the close.
bool TMainForm::writeSettings(SettingsKeys keys)
{
    // Until a command names a file or a save writes one, the current name is still the design
    // one, and a last file that start-up could not read stays the one to look for next time.
    const bool nothingNamed = m_saveFileName == designFileName();
    const QString lastFile =
        nothingNamed && !m_unreadLastFile.isEmpty() ? m_unreadLastFile : m_saveFileName;
    const Settings settings{m_ui.itemCom1->isChecked() ? PortChoice::Com1 : PortChoice::Com2,
                            m_ui.checkBoxToBox->isChecked(), lastFile, m_devices};
    if (const auto error = settingsFile().write(settings, keys)) {
        if (m_closingWithoutAsking)
            return false;
        m_services.prompts.showError(error->message, systemFilePath(m_services.settingsPath) +
                                                         QStringLiteral(": ") +
                                                         error->systemReason());
        return false;
    }
    return true;
}

// Asks whether to keep the pattern; false only when a write failed.
bool TMainForm::runSavePrompt()
{
    if (!m_services.prompts.askYesNo(QStringLiteral("Записать файл <") + m_saveFileName +
                                     QStringLiteral("> ?")))
        return true;
    if (runFileExists(m_saveFileName) &&
        !m_services.prompts.askYesNo(QStringLiteral("Такой файл существует. Переписать?")))
        return true;
    return SaveRunFile();
}

void TMainForm::prepareForSave()
{
    clearLowNibbles(m_runRecord);
    const int length = m_ui.upDownLeng->position();
    m_runRecord[static_cast<std::size_t>(length)] = kEndMarker;
    writeHeader(m_runRecord, {.channelCount = m_ui.upDownCh->position(),
                              .length = length,
                              .speed = m_ui.scrollBarSpeed->value()});
}

void TMainForm::SpeedButtonNewClick()
{
    StatusBarHelp(QStringLiteral("Очистка рабочего пространства..."));
    ToUndo();
    if (!runSavePrompt())
        return;
    m_saveFileName = newDocumentName();
    setCaption();
    std::fill_n(m_runRecord.begin(), kStepCount, std::uint8_t{0});
    PaintAll();
}

void TMainForm::SpeedButtonOpenClick()
{
    const std::optional<QString> chosen = m_services.prompts.chooseFileToOpen(m_openFileName);
    if (chosen)
        openRunFile(*chosen);
}

// Open's way with a chosen name, shared by a file dropped on the window.
void TMainForm::openRunFile(const QString& fileName)
{
    m_openFileName = systemFileName(fileName);
    ToUndo();
    if (LoadRunFile() == LoadOutcome::Failed)
        return;
    PaintAll();
}

// With no file under the current name yet, Save asks for one instead of silently doing nothing.
void TMainForm::SpeedButtonSaveClick()
{
    prepareForSave();
    if (!runFileExists(m_saveFileName)) {
        SpeedButtonSaveASClick();
        return;
    }
    SaveRunFile();
}

// Refusing to overwrite keeps the current name, so the next Save cannot overwrite that file.
void TMainForm::SpeedButtonSaveASClick()
{
    prepareForSave();
    const std::optional<QString> chosen = m_services.prompts.chooseFileToSave(m_saveFileName);
    if (!chosen)
        return;
    // A name no file can have does not become the current one.
    if (const std::optional<FileError> refusal = files::refusalOfFileName(*chosen)) {
        m_services.prompts.showError(refusal->message, fileErrorDetails(*chosen, *refusal));
        return;
    }
    if (runFileExists(*chosen) &&
        !m_services.prompts.askYesNo(QStringLiteral("Файл с таким именем существует, переписать?")))
        return;
    m_saveFileName = systemFileName(*chosen);
    SaveRunFile();
}

// Only a failed write of the pattern keeps the window open: the settings are not the user's work,
// and a settings file that can never be written must not make the program impossible to close.
void TMainForm::closeEvent(QCloseEvent* event)
{
    StatusBarHelp(QStringLiteral("Выход из программы..."));
    if (!m_closingWithoutAsking) {
        m_askingOnClose = true;
        const bool saved = runSavePrompt();
        m_askingOnClose = false;
        // A stop signal during the prompt ends the program whatever became of the save.
        if (!saved && !m_closingWithoutAsking) {
            event->ignore();
            return;
        }
    }
    SaveIniFile();
    event->accept();
}

// A run file dropped on the window opens as Open opens it; nothing else is taken.
namespace {

// One local file named *.zvk, in any case, as the open dialog's filter would show it.
std::optional<QString> droppedRunFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    const QString name = urls.front().toLocalFile();
    if (QFileInfo(name).suffix().compare(QStringLiteral("zvk"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return name;
}

// Only ever as a copy: a move would have the file manager delete the file it gave us.
std::optional<QString> acceptRunFile(QDropEvent& event)
{
    std::optional<QString> name = droppedRunFile(event.mimeData());
    if (!name || !event.possibleActions().testFlag(Qt::CopyAction)) {
        event.ignore();
        return std::nullopt;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return name;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    acceptRunFile(*event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    acceptRunFile(*event);
}

// The file manager waits until the drop returns, so a warning box about the file must come
// after it.
void TMainForm::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> name = acceptRunFile(*event))
        QMetaObject::invokeMethod(
            this, [this, fileName = *name] { openRunFile(fileName); }, Qt::QueuedConnection);
}

} // namespace zorvikta
