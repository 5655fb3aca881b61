#include "ui/StatusPanels.h"

#include <QHBoxLayout>
#include <QLabel>

namespace zorvikta {

namespace {
// Panel 3 has no width of its own: it takes what the others leave.
constexpr std::array<int, StatusPanels::kPanelCount> kPanelWidths{60, 60, 50, 0};
} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    for (int panel = 0; panel < kPanelCount; ++panel) {
        auto* label = new QLabel(QString::number(panel), this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        const int width = kPanelWidths[static_cast<std::size_t>(panel)];
        if (width > 0)
            label->setFixedWidth(width);
        else
            label->setMinimumWidth(1); // long messages must not widen the window
        layout->addWidget(label, width > 0 ? 0 : 1);
        m_panels[static_cast<std::size_t>(panel)] = label;
    }
}

QString StatusPanels::panelText(int panel) const
{
    return m_panels.at(static_cast<std::size_t>(panel))->text();
}

void StatusPanels::setPanelText(int panel, const QString& text)
{
    m_panels.at(static_cast<std::size_t>(panel))->setText(text);
    emit panelTextChanged(panel, text);
}

} // namespace zorvikta
