// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QLabel>
#include <QStaticText>

namespace zorvikta {

// The step counter, which changes with every step the emulator plays, up to twenty times a
// second. It looks like a plain label but paints all of itself in the colour of what lies
// beneath and keeps the laid-out glyphs of each text it has shown, so a step costs neither a
// text layout nor a repaint of the panel behind it.
class StepLabel final : public QLabel {
    Q_OBJECT
public:
    StepLabel(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QStaticText& layoutOf(const QString& text);

    QHash<QString, QStaticText> m_layouts;
};

} // namespace zorvikta
