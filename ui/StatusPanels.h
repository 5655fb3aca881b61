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

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

signals:
    void panelTextChanged(int panel, const QString& text);

private:
    std::array<QLabel*, kPanelCount> m_panels{};
};

} // namespace zorvikta
