// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace zorvikta {

// The wiring diagram of the cable to the relay board, stretched to fill the window.
class TDigrForm : public QDialog {
    Q_OBJECT

public:
    explicit TDigrForm(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace zorvikta
