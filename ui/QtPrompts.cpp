#include "ui/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace zorvikta {

namespace {

const QString kWarningCaption = QStringLiteral("Warning");
const QString kOpenFilter = QStringLiteral("файлы битовой бегущки  *.zvk (*.zvk);;Все файлы (*)");
const QString kSaveFilter = QStringLiteral("файлы битовой бегущки  *.zvk (*.zvk)");

} // namespace

bool QtPrompts::askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::Warning, kWarningCaption, question,
                    QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompts::warn(const QString& text, const QString& details)
{
    QMessageBox box(QMessageBox::Warning, kWarningCaption, text, QMessageBox::Ok, m_owner);
    box.setInformativeText(details);
    box.exec();
}

void QtPrompts::showError(const QString& message, const QString& details)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message + u'.',
                    QMessageBox::Ok, m_owner);
    box.setInformativeText(details);
    box.exec();
}

std::optional<QString> QtPrompts::chooseFileToOpen(const QString& current)
{
    QFileDialog dialog(m_owner, QString(), current, kOpenFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompts::chooseFileToSave(const QString& current)
{
    QFileDialog dialog(m_owner, QString(), current, kSaveFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("zvk"));
    // The commands ask about overwriting themselves.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace zorvikta
