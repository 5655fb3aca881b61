// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/About/TAboutForm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <tuple>

namespace zorvikta {

namespace {

const QColor kBackground(0xC0, 0xDC, 0xC0);
const QColor kMailHover(0xFF, 0x00, 0x00);
const QColor kMailLeft(0x00, 0x00, 0x80);
const QColor kMailClicked(0x00, 0x80, 0x00);

constexpr int kFlashPeriodMs = 300;
constexpr int kDelayPeriodMs = 3000;

QFont logoFont()
{
    QFont font(QStringLiteral("Arial Black"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(24);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFrame* addBevel(QWidget* parent, const QString& objectName, int top)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(objectName);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(16, top, 273, 8);
    return bevel;
}

} // namespace

TAboutForm::TAboutForm(std::function<bool(const QUrl&)> openUrl, QWidget* parent)
    : HelpWindow(QStringLiteral("О программе Zorvikta"), parent,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_openUrl(std::move(openUrl))
{
    setFixedSize(306, 206);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    m_timerFlesh = new QTimer(this);
    m_timerFlesh->setObjectName(QStringLiteral("TimerFlesh"));
    m_timerFlesh->setInterval(kFlashPeriodMs);
    connect(m_timerFlesh, &QTimer::timeout, this, &TAboutForm::TimerFleshTimer);
    m_timerFlesh->start();

    m_timerDelay = new QTimer(this);
    m_timerDelay->setObjectName(QStringLiteral("TimerDelay"));
    m_timerDelay->setInterval(kDelayPeriodMs);
    connect(m_timerDelay, &QTimer::timeout, this, &TAboutForm::TimerDelayTimer);
    m_timerDelay->start();
}

void TAboutForm::buildContents()
{
    addLabel(QStringLiteral("LabelVersion"), QStringLiteral("Version 2.3            july 2005 г."),
             QPoint(24, 16));
    addLabel(QStringLiteral("LabelCity"), QStringLiteral("г. Зорьевск, тел. 12-34-56"),
             QPoint(24, 32));
    addLabel(QStringLiteral("LabelAuthor"), QStringLiteral("Разработчик: О. Ветлугин"),
             QPoint(24, 48));
    m_label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("E-mail: ") + mailAddress(),
                        QPoint(24, 64));
    m_label2->setMouseTracking(true);
    m_label2->installEventFilter(this);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/board.jpg")));
    picture->setScaledContents(true);
    picture->setGeometry(200, 17, 97, 82);

    addBevel(this, QStringLiteral("Bevel1"), 104);
    addBevel(this, QStringLiteral("Bevel2"), 144);

    // The grey copy goes first so that the teal one is painted over it as its shadow.
    for (const auto& [name, colour, position] :
         {std::tuple{QStringLiteral("LabelLogoShadow"), QColor(0x80, 0x80, 0x80), QPoint(18, 115)},
          std::tuple{QStringLiteral("LabelLogo"), QColor(0x00, 0x80, 0x80), QPoint(16, 111)}}) {
        QLabel* logo = addLabel(name, QStringLiteral("Zorvikta"), position);
        logo->setFont(logoFont());
        QPalette logoColours = logo->palette();
        logoColours.setColor(QPalette::WindowText, colour);
        logo->setPalette(logoColours);
        logo->adjustSize();
    }

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(216, 168, 75, 25);
    ok->setCursor(Qt::PointingHandCursor);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TAboutForm::BitBtn1Click);
}

QString TAboutForm::mailAddress()
{
    return QStringLiteral("zorvikta@example.org");
}

QLabel* TAboutForm::addLabel(const QString& objectName, const QString& text, const QPoint& position)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    label->move(position);
    label->adjustSize();
    return label;
}

void TAboutForm::setMailColour(const QColor& colour)
{
    QPalette colours = m_label2->palette();
    colours.setColor(QPalette::WindowText, colour);
    m_label2->setPalette(colours);
}

void TAboutForm::BitBtn1Click()
{
    accept();
}

void TAboutForm::Label2MouseMove()
{
    setMailColour(kMailHover);
    m_label2->setCursor(Qt::PointingHandCursor);
}

void TAboutForm::Label2MouseLeave()
{
    setMailColour(kMailLeft);
}

void TAboutForm::Label2Click()
{
    setMailColour(kMailClicked);
    // Whether a mail program answered is not our concern: with none, nothing else happens.
    m_openUrl(QUrl(QStringLiteral("mailto:") + mailAddress()));
    setMailColour(kMailClicked);
}

void TAboutForm::TimerFleshTimer()
{
    if (isVisible())
        QApplication::alert(this);
}

void TAboutForm::TimerDelayTimer()
{
    m_timerDelay->stop();
    if (isVisible())
        reject();
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label2) {
        switch (event->type()) {
        case QEvent::MouseMove:
            Label2MouseMove();
            break;
        case QEvent::Leave:
            Label2MouseLeave();
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                m_label2->rect().contains(mouse->position().toPoint()))
                Label2Click();
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zorvikta
