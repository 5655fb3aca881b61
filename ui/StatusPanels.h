// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace zorvikta {

// The four-panel status bar: channel, step, marked step, transient messages.
class StatusPanels final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 4;
    static constexpr int kHeight = 19;

    explicit StatusPanels(QWidget* parent = nullptr);

    // The whole text, also where the panel shows it shortened.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

signals:
    void panelTextChanged(int panel, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showFitted(int panel);

    std::array<QLabel*, kPanelCount> m_panels{};
    std::array<QString, kPanelCount> m_texts;
};

} // namespace zorvikta
