// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include "ui/Help/THelpForm.h"

#include <QAction>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {
const QByteArray kPattern = runFileBytes(QByteArray("\x80\x40\x20\x10", 4), 4, 8, 230);
}

class TestShortcuts : public QObject {
    Q_OBJECT
private slots:
    // Each key reports what its command visibly did, from the prompts asked to the window shown.
    void eachKeyRunsItsCommand_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("undoDisabled"); // the snapshot is there, its button is not
        QTest::addColumn<QStringList>("effects");
        const auto ask = QStringLiteral("ask:Записать файл <mine.zvk> ?");
        QTest::newRow("Ctrl+N new")
            << QKeySequence(Qt::CTRL | Qt::Key_N) << false
            << QStringList{ask, QStringLiteral("caption:") + dotted("User001.zvk")};
        QTest::newRow("Ctrl+O open") << QKeySequence(Qt::CTRL | Qt::Key_O) << false
                                     << QStringList{QStringLiteral("open:mine.zvk")};
        QTest::newRow("Ctrl+S save")
            << QKeySequence(Qt::CTRL | Qt::Key_S) << false << QStringList{QStringLiteral("saved")};
        QTest::newRow("Ctrl+Shift+S save as")
            << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) << false
            << QStringList{QStringLiteral("save:mine.zvk")};
        QTest::newRow("Ctrl+Q exit") << QKeySequence(Qt::CTRL | Qt::Key_Q) << false
                                     << QStringList{ask, QStringLiteral("closed")};
        QTest::newRow("Ctrl+Z undo")
            << QKeySequence(Qt::CTRL | Qt::Key_Z) << false << QStringList{QStringLiteral("undone")};
        QTest::newRow("Ctrl+Z with Undo disabled")
            << QKeySequence(Qt::CTRL | Qt::Key_Z) << true << QStringList();
        QTest::newRow("F5 stop") << QKeySequence(Qt::Key_F5) << false
                                 << QStringList{QStringLiteral("stopped")};
        QTest::newRow("F1 help") << QKeySequence(Qt::Key_F1) << false
                                 << QStringList{QStringLiteral("shown:Справка")};
    }
    void eachKeyRunsItsCommand()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(bool, undoDisabled);
        QFETCH(QStringList, effects);
        FormFixture fixture;
        fixture.writeFile(QStringLiteral("mine.zvk"), kPattern);
        fixture.writeSettings("[LastFile]\nPath=mine.zvk\n");
        TMainForm& form = fixture.start();
        THelpForm help(&form);
        form.setHelpWindows(nullptr, &help, nullptr);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        const RunRecord loaded = form.runRecord();
        form.SpeedButtonFillAllClick(); // snapshot of the loaded pattern, then all lamps on
        if (undoDisabled) {
            form.SpeedButtonUndoClick();
            form.runRecord()[0] = 0; // the snapshot would bring the lamp back
        }
        const RunRecord edited = form.runRecord();
        const QString caption = form.windowTitle();
        fixture.prompts.clear();
        QString shown;
        // The help window is modal: note it and close it from inside its own loop.
        QTimer::singleShot(0, &form, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                shown = modal->windowTitle();
                modal->close();
            }
        });

        QTest::keySequence(&form, keys);
        QCoreApplication::processEvents();

        QStringList seen;
        for (const QString& question : std::as_const(fixture.prompts.questions))
            seen << QStringLiteral("ask:") + question;
        seen << fixture.prompts.dialogs;
        if (form.windowTitle() != caption)
            seen << QStringLiteral("caption:") + form.currentFileName();
        if (fixture.readFile(QStringLiteral("mine.zvk")) != kPattern)
            seen << QStringLiteral("saved");
        if (form.runRecord() == loaded && edited != loaded)
            seen << QStringLiteral("undone");
        if (!fixture.child<QToolButton>("SpeedButtonPlay")->isChecked())
            seen << QStringLiteral("stopped");
        if (!form.isVisible())
            seen << QStringLiteral("closed");
        if (!shown.isEmpty())
            seen << QStringLiteral("shown:") + shown;
        QCOMPARE(seen, effects);
    }

    // The keys belong to the window: no menu item names a key beside its caption.
    void menuItemsCarryNoKeys()
    {
        FormFixture fixture;
        TMainForm& form = fixture.start();
        for (const QAction* item : form.menuBar()->findChildren<QAction*>())
            QVERIFY2(item->shortcuts().isEmpty(), qPrintable(item->objectName()));
    }
};

QTEST_MAIN(TestShortcuts)
#include "tst_Shortcuts.moc"
