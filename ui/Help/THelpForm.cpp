// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Help/THelpForm.h"

#include <QFile>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zorvikta {

THelpForm::THelpForm(QWidget* parent) : HelpWindow(QStringLiteral("Справка"), parent)
{
    // A 544 x 375 window once the title bar and borders are added.
    resize(536, 348);
}

void THelpForm::buildContents()
{
    m_richEdit1 = new QTextEdit(this);
    m_richEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit1->setAcceptRichText(false);
    m_richEdit1->setLineWrapMode(QTextEdit::NoWrap);
    m_richEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit1->setPlainText(helpText());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_richEdit1);
}

QString THelpForm::helpText()
{
    QFile file(QStringLiteral(":/help/help.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace zorvikta
