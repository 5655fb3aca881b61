// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>

#include "app/QtTranslation.h"
#include "ui/QtPrompts.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

using namespace zorvikta;
using namespace Qt::StringLiterals;

namespace {

bool isRussian(const QString& text)
{
    return text.contains(QRegularExpression(u"[А-Яа-яЁё]"_s));
}

QStringList buttonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (const QAbstractButton* button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

// With Qt's own texts in Russian, the file dialogs speak Russian and the program's boxes keep
// their buttons' English.
class TestQtTranslation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!installQtTranslation(*QCoreApplication::instance()))
            QSKIP("Qt's Russian translation (qt6-translations-l10n) is not installed");
        // Otherwise the checks below would pass on English texts alone.
        QDialogButtonBox plain(QDialogButtonBox::Yes);
        QVERIFY2(isRussian(plain.button(QDialogButtonBox::Yes)->text()),
                 qPrintable(plain.button(QDialogButtonBox::Yes)->text()));
    }

    void boxesKeepTheirButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("question") << 0 << QStringList{u"No"_s, u"Yes"_s};
        QTest::newRow("notice") << 1 << QStringList{u"OK"_s};
        QTest::newRow("error") << 2 << QStringList{u"OK"_s};
    }
    void boxesKeepTheirButtons()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, buttons);
        const QtPrompts prompts;
        const std::unique_ptr<QMessageBox> box =
            kind == 0   ? prompts.questionBox(u"Записать файл <a.zvk> ?"_s)
            : kind == 1 ? prompts.noticeBox(u"Файла не существует!"_s, u"/a.zvk"_s)
                        : prompts.errorBox(u"File access denied"_s, u"/a.zvk"_s);
        QCOMPARE(buttonTexts(*box), buttons);
    }

    void fileDialogsSpeakRussian()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* label = dialog.findChild<QLabel*>(u"fileNameLabel"_s);
        QVERIFY(label);
        QVERIFY2(isRussian(label->text()), qPrintable(label->text()));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_QtTranslation.moc"
