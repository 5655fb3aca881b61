// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompts.h"

#include "platform/WorkingFolder.h"
#include "ui/DesignLook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace zorvikta {

namespace {

const QString kWarningCaption = QStringLiteral("Warning");
const QString kOpenFilter = QStringLiteral("файлы битовой бегущки  *.zvk (*.zvk);;Все файлы (*)");
const QString kSaveFilter = QStringLiteral("файлы битовой бегущки  *.zvk (*.zvk)");

// The program's own boxes keep their English buttons while Qt's texts are Russian.
void keepEnglishButtons(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, QString> texts[] = {
        {QMessageBox::Yes, QStringLiteral("Yes")},
        {QMessageBox::No, QStringLiteral("No")},
        {QMessageBox::Ok, QStringLiteral("OK")}};
    for (const auto& [button, text] : texts)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(text);
}

// The file the dialog was confirmed with; the working folder follows it where the system's own
// dialogs have it do so, and with it the scratch copy.
std::optional<QString> confirmedFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    platform::followChosenFile(chosen);
    return chosen;
}

} // namespace

std::unique_ptr<QMessageBox> QtPrompts::questionBox(const QString& question) const
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, kWarningCaption, question,
                                             QMessageBox::Yes | QMessageBox::No, m_owner);
    giveDesignLook(*box);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    keepEnglishButtons(*box);
    return box;
}

std::unique_ptr<QMessageBox> QtPrompts::noticeBox(const QString& text, const QString& details) const
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, kWarningCaption, text,
                                             QMessageBox::Ok, m_owner);
    giveDesignLook(*box);
    box->setInformativeText(details);
    keepEnglishButtons(*box);
    return box;
}

std::unique_ptr<QMessageBox> QtPrompts::errorBox(const QString& message,
                                                 const QString& details) const
{
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Critical, QApplication::applicationDisplayName(),
                                      message + u'.', QMessageBox::Ok, m_owner);
    giveDesignLook(*box);
    box->setInformativeText(details);
    keepEnglishButtons(*box);
    return box;
}

bool QtPrompts::askYesNo(const QString& question)
{
    return questionBox(question)->exec() == QMessageBox::Yes;
}

void QtPrompts::warn(const QString& text, const QString& details)
{
    noticeBox(text, details)->exec();
}

void QtPrompts::showError(const QString& message, const QString& details)
{
    errorBox(message, details)->exec();
}

std::optional<QString> QtPrompts::chooseFileToOpen(const QString& current)
{
    QFileDialog dialog(m_owner, QString(), current, kOpenFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    return confirmedFile(dialog);
}

std::optional<QString> QtPrompts::chooseFileToSave(const QString& current)
{
    QFileDialog dialog(m_owner, QString(), current, kSaveFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("zvk"));
    // The commands ask about overwriting themselves.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return confirmedFile(dialog);
}

} // namespace zorvikta
