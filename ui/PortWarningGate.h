// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAbstractSlider;

namespace zorvikta {

// Lets at most one port warning stand at a time, and never opens one while the speed bar is
// pressed: a modal box there swallows the release, and the bar's auto-repeat would run the speed
// on under it, one more failing transfer per step.
class PortWarningGate final : public QObject {
    Q_OBJECT
public:
    using ShowWarning = std::function<void(const QString& text, const QString& details)>;

    PortWarningGate(QAbstractSlider* speedBar, ShowWarning show, QObject* parent);

    // Shows the warning now, or once the speed bar is let go; dropped while another is queued or
    // open, since it would tell the same port's story again.
    void raise(const QString& text, const QString& details);

    // While one is held, warnings wait until the event loop is back, out of the caller's handling.
    class Deferral {
    public:
        explicit Deferral(PortWarningGate& gate) : m_gate(gate) { ++m_gate.m_deferrals; }
        ~Deferral() { --m_gate.m_deferrals; }
        Deferral(const Deferral&) = delete;
        Deferral& operator=(const Deferral&) = delete;

    private:
        PortWarningGate& m_gate;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Warning {
        QString text;
        QString details;
    };

    bool speedBarHeld() const;
    void queueShowing();
    void showPending();
    void show(const Warning& warning);

    QAbstractSlider* m_speedBar;
    ShowWarning m_show;
    std::optional<Warning> m_pending;
    bool m_showing = false;
    bool m_speedBarPressed = false;
    int m_deferrals = 0;
};

} // namespace zorvikta
