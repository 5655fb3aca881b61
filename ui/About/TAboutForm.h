// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/HelpWindow.h"
#include <QDesktopServices>

#include <QUrl>

#include <functional>

class QColor;
class QLabel;
class QTimer;

namespace zorvikta {

// The About window: version, the maker's contacts and logo, a picture of the relay board. It
// lives hidden from program start; its delay timer closes it if it was opened in the first three
// seconds, and its flash timer asks for attention while it is shown.
class TAboutForm : public HelpWindow {
    Q_OBJECT

public:
    // openUrl hands the "mailto:" link to the desktop; tests pass a recorder instead.
    explicit TAboutForm(std::function<bool(const QUrl&)> openUrl = &QDesktopServices::openUrl,
                        QWidget* parent = nullptr);

    static QString mailAddress();

public slots:
    void BitBtn1Click();
    void Label2MouseMove();
    void Label2MouseLeave();
    void Label2Click();
    void TimerFleshTimer();
    void TimerDelayTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The labels, the board's picture and the logo.
    void buildContents() override;
    QLabel* addLabel(const QString& objectName, const QString& text, const QPoint& position);
    void setMailColour(const QColor& colour);

    std::function<bool(const QUrl&)> m_openUrl;
    QLabel* m_label2 = nullptr;
    QTimer* m_timerFlesh = nullptr;
    QTimer* m_timerDelay = nullptr;
};

} // namespace zorvikta
