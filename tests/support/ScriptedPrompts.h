// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Prompts.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace zorvikta::test {

// Answers the program's questions from a script and records everything it was asked or shown.
class ScriptedPrompts final : public Prompts {
public:
    std::deque<bool> answers; // for askYesNo, in order; No when empty
    QStringList chosenFiles;  // for both file dialogs, in order; cancel when empty

    QStringList questions;
    QStringList warnings;
    QStringList warningDetails;
    QStringList errors;
    QStringList errorDetails;
    QStringList dialogs; // "open:<start name>" or "save:<start name>"
    // Runs while a warning "stands open", as a modal box's own event loop would.
    std::function<void()> whileWarningOpen;

    bool askYesNo(const QString& question) override
    {
        questions << question;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void warn(const QString& text, const QString& details) override
    {
        warnings << text;
        warningDetails << details;
        if (whileWarningOpen)
            whileWarningOpen();
    }
    void showError(const QString& message, const QString& details) override
    {
        errors << message;
        errorDetails << details;
    }
    std::optional<QString> chooseFileToOpen(const QString& current) override
    {
        dialogs << QStringLiteral("open:") + current;
        return nextFile();
    }
    std::optional<QString> chooseFileToSave(const QString& current) override
    {
        dialogs << QStringLiteral("save:") + current;
        return nextFile();
    }
    void clear()
    {
        questions.clear();
        warnings.clear();
        warningDetails.clear();
        errors.clear();
        errorDetails.clear();
        dialogs.clear();
    }

private:
    std::optional<QString> nextFile()
    {
        if (chosenFiles.isEmpty())
            return std::nullopt;
        return chosenFiles.takeFirst();
    }
};

} // namespace zorvikta::test
