// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Prompts.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace zorvikta {

// The real boxes and dialogs, owned by the main window.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    bool askYesNo(const QString& question) override;
    void warn(const QString& text, const QString& details) override;
    void showError(const QString& message, const QString& details) override;
    std::optional<QString> chooseFileToOpen(const QString& current) override;
    std::optional<QString> chooseFileToSave(const QString& current) override;

    // The three boxes as they are shown, so that their buttons can be looked at unshown.
    std::unique_ptr<QMessageBox> questionBox(const QString& question) const;
    std::unique_ptr<QMessageBox> noticeBox(const QString& text, const QString& details) const;
    std::unique_ptr<QMessageBox> errorBox(const QString& message, const QString& details) const;

private:
    QWidget* m_owner;
};

} // namespace zorvikta
