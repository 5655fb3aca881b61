// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/HelpWindow.h"

class QTextEdit;

namespace zorvikta {

// The user guide in a text box filling the window. The box is editable; what the user types
// stays until the program ends and is never saved.
class THelpForm : public HelpWindow {
    Q_OBJECT

public:
    explicit THelpForm(QWidget* parent = nullptr);

    // The guide as shipped in the resources, empty if it is missing from them.
    static QString helpText();

private:
    void buildContents() override;

    QTextEdit* m_richEdit1 = nullptr;
};

} // namespace zorvikta
