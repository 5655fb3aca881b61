// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Diagram/TDigrForm.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvikta {

TDigrForm::TDigrForm(QWidget* parent) : HelpWindow(QStringLiteral("Схема подключения"), parent)
{
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

void TDigrForm::buildContents()
{
    findChild<QLabel*>(QStringLiteral("Image1"))
        ->setPixmap(QPixmap(QStringLiteral(":/pictures/diagram.jpg")));
}

} // namespace zorvikta
