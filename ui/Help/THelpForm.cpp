#include "ui/Help/THelpForm.h"
#include "ui/ScreenCentre.h"

#include <QFile>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zorvikta {

THelpForm::THelpForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Справка"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zorvikta.png")));

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

    // A 544 x 375 window once the title bar and borders are added.
    resize(536, 348);
}

QString THelpForm::helpText()
{
    QFile file(QStringLiteral(":/help/help.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void THelpForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

} // namespace zorvikta
