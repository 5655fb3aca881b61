// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PortWarningGate.h"

#include <QAbstractSlider>
#include <QMetaObject>
#include <QMouseEvent>

namespace zorvikta {

PortWarningGate::PortWarningGate(QAbstractSlider* speedBar, ShowWarning show, QObject* parent)
    : QObject(parent), m_speedBar(speedBar), m_show(std::move(show))
{
    m_speedBar->installEventFilter(this);
}

void PortWarningGate::raise(const QString& text, const QString& details)
{
    if (m_showing || m_pending)
        return;
    if (m_deferrals > 0 || speedBarHeld()) {
        m_pending = Warning{text, details};
        queueShowing();
        return;
    }
    show(Warning{text, details});
}

// An arrow or the track repeats while pressed; the thumb is dragged.
bool PortWarningGate::speedBarHeld() const
{
    return m_speedBarPressed || m_speedBar->isSliderDown();
}

void PortWarningGate::queueShowing()
{
    QMetaObject::invokeMethod(this, &PortWarningGate::showPending, Qt::QueuedConnection);
}

void PortWarningGate::showPending()
{
    if (!m_pending || m_showing || speedBarHeld())
        return; // the release queues it again
    const Warning warning = *m_pending;
    m_pending.reset();
    show(warning);
}

void PortWarningGate::show(const Warning& warning)
{
    m_showing = true;
    m_show(warning.text, warning.details);
    m_showing = false;
}

// The filter sees each press before the bar acts on it, and the release before the bar stops
// repeating; the queued showing runs once it has.
bool PortWarningGate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_speedBar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_speedBarPressed = true;
            break;
        case QEvent::MouseButtonRelease:
            m_speedBarPressed = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
            if (!m_speedBarPressed && m_pending)
                queueShowing();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvikta
