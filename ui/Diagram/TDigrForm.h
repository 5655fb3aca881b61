// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/HelpWindow.h"

namespace zorvikta {

// The wiring diagram of the cable to the relay board, stretched to fill the window.
class TDigrForm : public HelpWindow {
    Q_OBJECT

public:
    explicit TDigrForm(QWidget* parent = nullptr);

private:
    // Decodes the picture: at start-up it would cost every start a noticeable delay and some
    // 15 MiB for a window most sessions never open.
    void buildContents() override;
};

} // namespace zorvikta
