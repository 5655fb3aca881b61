// SPDX-License-Identifier: GPL-3.0-or-later
// The help menu's windows, created by the program entry and shown modally here.
#include "ui/TMainForm.h"

#include "ui/About/TAboutForm.h"
#include "ui/Diagram/TDigrForm.h"
#include "ui/Help/THelpForm.h"

namespace zorvikta {

void TMainForm::itemAboutClick()
{
    if (m_aboutForm)
        m_aboutForm->exec();
}

void TMainForm::ItemHelpClick()
{
    if (m_helpForm)
        m_helpForm->exec();
}

void TMainForm::ItemDiagramClick()
{
    if (m_digrForm)
        m_digrForm->exec();
}

} // namespace zorvikta
