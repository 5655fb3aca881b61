// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpWindow.h"

#include "ui/DesignPalette.h"
#include "ui/ProgramIcons.h"
#include "ui/ScreenCentre.h"

namespace zorvikta {

HelpWindow::HelpWindow(const QString& title, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(title);
    setWindowIcon(programIcon());
    setPalette(designPalette());
}

void HelpWindow::setVisible(bool visible)
{
    if (visible && !m_built) {
        m_built = true;
        buildContents();
    }
    QDialog::setVisible(visible);
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

} // namespace zorvikta
