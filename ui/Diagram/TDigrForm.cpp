// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Diagram/TDigrForm.h"
#include "ui/DesignLook.h"
#include "ui/ProgramIcons.h"
#include "ui/ScreenCentre.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvikta {

TDigrForm::TDigrForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Схема подключения"));
    setWindowIcon(programIcon());
    giveDesignLook(*this);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setScaledContents(true);
    // The picture is far larger than the window; it must not dictate the window's size.
    image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image1);

    // A 421 x 216 window once the title bar and borders are added.
    resize(413, 189);
}

// The picture is decoded when the window is first shown: decoding it at start-up would cost every
// start a noticeable delay and some 15 MiB for a window most sessions never open.
void TDigrForm::showEvent(QShowEvent* event)
{
    auto* image1 = findChild<QLabel*>(QStringLiteral("Image1"));
    if (image1->pixmap().isNull())
        image1->setPixmap(QPixmap(QStringLiteral(":/pictures/diagram.jpg")));
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

} // namespace zorvikta
