// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramFont.h"
#include "ui/StepLabel.h"

#include <QLabel>
#include <QTest>

using namespace zorvikta;

namespace {

// A panel holding a plain label and the step label side by side, alike in all but their class.
struct Panel {
    Panel()
    {
        QPalette colours = widget.palette();
        colours.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
        widget.setPalette(colours);
        widget.setAutoFillBackground(true);
        widget.setFont(programFont());
        widget.resize(200, 40);
        for (QLabel* label : {static_cast<QLabel*>(&plain), static_cast<QLabel*>(&step)}) {
            QPalette text = label->palette();
            text.setColor(QPalette::WindowText, QColor(128, 0, 0));
            label->setPalette(text);
        }
        plain.setGeometry(4, 4, 66, 13);
        step.setGeometry(100, 4, 66, 13);
    }

    QImage render(const QLabel& label) { return widget.grab(label.geometry()).toImage(); }

    QWidget widget;
    QLabel plain{QString(), &widget};
    StepLabel step{QString(), &widget};
};

} // namespace

class TestStepLabel : public QObject {
    Q_OBJECT
private slots:
    // Each text in turn, so a kept layout must match the text now shown.
    void looksLikeAPlainLabel_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("before the first step") << QStringList{QStringLiteral("Шаг = ?")} << 8;
        QTest::newRow("steps, one repeated")
            << QStringList{QStringLiteral("Шаг = 1"), QStringLiteral("Шаг = 100"),
                           QStringLiteral("Шаг = 1"), QStringLiteral("Шаг = 42")}
            << 8;
        QTest::newRow("wider than the label")
            << QStringList{QStringLiteral("Шаг = 1234567890123")} << 8;
        QTest::newRow("font changed after the text was shown")
            << QStringList{QStringLiteral("Шаг = 7")} << 11;
    }
    void looksLikeAPlainLabel()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, pointSize);

        Panel panel;
        for (const QString& text : texts) {
            panel.plain.setText(text);
            panel.step.setText(text);
            QCOMPARE(panel.render(panel.step), panel.render(panel.plain));
        }
        QFont larger = panel.widget.font();
        larger.setPointSize(pointSize);
        panel.plain.setFont(larger);
        panel.step.setFont(larger);
        QCOMPARE(panel.render(panel.step), panel.render(panel.plain));
    }
};

QTEST_MAIN(TestStepLabel)
#include "tst_StepLabel.moc"
