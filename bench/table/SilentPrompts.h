// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Prompts.h"

namespace zorvikta::bench {

// Answers No to every question and cancels every dialog, so nothing modal stops the clock.
class SilentPrompts final : public Prompts {
public:
    bool askYesNo(const QString&) override { return false; }
    void warn(const QString&, const QString&) override {}
    void showError(const QString&, const QString&) override {}
    std::optional<QString> chooseFileToOpen(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseFileToSave(const QString&) override { return std::nullopt; }
};

} // namespace zorvikta::bench
