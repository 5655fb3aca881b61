// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"
#include <QTest>

#include <QLabel>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

using namespace zorvikta;
using namespace zorvikta::test;

namespace {
QStringList names(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromLatin1(item);
    return list;
}
} // namespace

class TestDropFile : public QObject {
    Q_OBJECT
private slots:
    void opensOneLocalRunFileAndRefusesTheRest_data()
    {
        QTest::addColumn<QStringList>("urls"); // file names are taken in the test folder
        QTest::addColumn<QString>("text");
        QTest::addColumn<Qt::DropActions>("actions");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("warnings");
        const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
        const QStringList none;
        const QStringList missing{QStringLiteral("Файла не существует!")};
        QTest::newRow("run file") << names({"drop.zvk"}) << QString() << copyOrMove << true << none;
        QTest::newRow("capital suffix")
            << names({"DROP.ZVK"}) << QString() << copyOrMove << true << none;
        QTest::newRow("missing run file")
            << names({"gone.zvk"}) << QString() << copyOrMove << true << missing;
        QTest::newRow("other suffix")
            << names({"drop.txt"}) << QString() << copyOrMove << false << none;
        QTest::newRow("two run files")
            << names({"drop.zvk", "DROP.ZVK"}) << QString() << copyOrMove << false << none;
        QTest::newRow("remote run file")
            << names({"https://example.org/drop.zvk"}) << QString() << copyOrMove << false << none;
        QTest::newRow("text naming a run file")
            << QStringList() << QStringLiteral("drop.zvk") << copyOrMove << false << none;
        QTest::newRow("move only")
            << names({"drop.zvk"}) << QString() << Qt::DropActions(Qt::MoveAction) << false << none;
    }
    void opensOneLocalRunFileAndRefusesTheRest()
    {
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        QFETCH(Qt::DropActions, actions);
        QFETCH(bool, accepted);
        QFETCH(QStringList, warnings);
        FormFixture fixture;
        const QByteArray dropped = runFileBytes(QByteArray("\x80\x40\x20", 3), 3, 12, 100);
        for (const char* name : {"drop.zvk", "DROP.ZVK", "drop.txt"})
            fixture.writeFile(QString::fromLatin1(name), dropped);
        TMainForm& form = fixture.start();
        form.runRecord()[0] = 0xF0;
        const RunRecord before = form.runRecord();
        fixture.prompts.clear();

        QMimeData data;
        QList<QUrl> list;
        for (const QString& url : urls)
            list << (url.contains(QLatin1Char(':')) ? QUrl(url)
                                                    : QUrl::fromLocalFile(fixture.path(url)));
        if (!list.isEmpty())
            data.setUrls(list);
        if (!text.isEmpty())
            data.setText(text);

        const QPoint over(100, 200);
        QDragEnterEvent enter(over, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDragMoveEvent move(over, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
        QCOMPARE(move.isAccepted(), accepted);
        QDropEvent drop(QPointF(over), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        QCOMPARE(drop.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCoreApplication::processEvents();

        const bool loads = accepted && warnings.isEmpty();
        QCOMPARE(fixture.prompts.warnings, warnings);
        QCOMPARE(form.undoRecord() == before, accepted);
        QCOMPARE(fixture.child<QToolButton>("SpeedButtonUndo")->isEnabled(), accepted);
        QCOMPARE(form.runRecord()[0], loads ? 0x80 : 0xF0);
        QCOMPARE(fixture.child<QLabel>("LabelLeng")->text(), QLatin1String(loads ? "12" : "8"));
        QCOMPARE(form.currentFileName(), loads ? fixture.path(urls.front()) : dotted("tmp.zvk"));
    }
};

QTEST_MAIN(TestDropFile)
#include "tst_DropFile.moc"
