// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace zorvikta {

// What the three windows of the help menu share: the program's icon and design palette, a place
// in the middle of the screen whenever they show, and contents built only when first shown, since
// building them at start-up would slow every start for windows seldom opened.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    // Builds the contents before the window first shows.
    void setVisible(bool visible) override;

protected:
    HelpWindow(const QString& title, QWidget* parent, Qt::WindowFlags flags = Qt::Dialog);

    void showEvent(QShowEvent* event) override;

    // Called once, just before the window first shows.
    virtual void buildContents() = 0;

private:
    bool m_built = false;
};

} // namespace zorvikta
