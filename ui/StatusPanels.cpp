// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatusPanels.h"

#include <QHBoxLayout>
#include <QLabel>

namespace zorvikta {

namespace {
// Panel 3 has no width of its own: it takes what the others leave.
constexpr std::array<int, StatusPanels::kPanelCount> kPanelWidths{60, 60, 50, 0};
// Space kept between a shortened text and the panel's frame.
constexpr int kTextIndent = 1;
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
        label->setIndent(kTextIndent);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        const int width = kPanelWidths[static_cast<std::size_t>(panel)];
        if (width > 0)
            label->setFixedWidth(width);
        else
            label->setMinimumWidth(1); // long messages must not widen the window
        layout->addWidget(label, width > 0 ? 0 : 1);
        m_panels[static_cast<std::size_t>(panel)] = label;
        m_texts[static_cast<std::size_t>(panel)] = label->text();
    }
}

QString StatusPanels::panelText(int panel) const
{
    return m_texts.at(static_cast<std::size_t>(panel));
}

void StatusPanels::setPanelText(int panel, const QString& text)
{
    m_texts.at(static_cast<std::size_t>(panel)) = text;
    showFitted(panel);
    emit panelTextChanged(panel, text);
}

void StatusPanels::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (int panel = 0; panel < kPanelCount; ++panel)
        showFitted(panel);
}

// A text that fits stays centred. One that does not is shown from its beginning, shortened with
// an ellipsis, and whole in the tool tip: centred, it would show a meaningless middle.
void StatusPanels::showFitted(int panel)
{
    QLabel* label = m_panels.at(static_cast<std::size_t>(panel));
    const QString& text = m_texts.at(static_cast<std::size_t>(panel));
    const int room = label->contentsRect().width() - 2 * kTextIndent;
    const bool fits = label->fontMetrics().horizontalAdvance(text) <= room;
    label->setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    label->setText(fits ? text : label->fontMetrics().elidedText(text, Qt::ElideRight, room));
    label->setToolTip(fits ? QString() : text);
}

} // namespace zorvikta
