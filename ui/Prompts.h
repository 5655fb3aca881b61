// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace zorvikta {

// Every modal question, notice, error box and file dialog of the program goes through here,
// so that tests can answer them.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Warning box captioned "Warning" with Yes (the default) and No; Esc answers No.
    virtual bool askYesNo(const QString& question) = 0;
    // Warning box captioned "Warning" with one OK button; `details` is its informative text.
    virtual void warn(const QString& text, const QString& details = {}) = 0;
    // Error box: error icon, OK, the application's title as caption; `details` is its
    // informative text.
    virtual void showError(const QString& message, const QString& details = {}) = 0;
    // File dialogs starting on `current`; nullopt when the user cancels.
    virtual std::optional<QString> chooseFileToOpen(const QString& current) = 0;
    virtual std::optional<QString> chooseFileToSave(const QString& current) = 0;
};

} // namespace zorvikta
