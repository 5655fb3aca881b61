// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormFixture.h"

#include "ui/PortDevicesDialog.h"
#include "ui/ProgramFont.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>

using namespace zorvikta;
using namespace zorvikta::test;
using namespace Qt::StringLiterals;

namespace {

const SerialPortEntry kFtdi{u"/dev/ttyUSB0"_s,
                            u"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"_s,
                            u"FT232R USB UART"_s, u"FTDI"_s, u"A50285BI"_s};
const SerialPortEntry kArduino{u"/dev/ttyACM0"_s, QString(), u"Arduino Uno"_s,
                               u"Arduino (www.arduino.cc)"_s, u"8543931323"_s};
const SerialPortEntry kOnBoard{u"/dev/ttyS0"_s, QString(), QString(), QString(), QString()};
const QString kGone = u"/dev/zorvikta-not-plugged-in"_s;
const QString kDefault1 = defaultDevices().com1;
const QString kDefault2 = defaultDevices().com2;

// Every row of a field's list: its columns in order.
QList<QStringList> listed(const QComboBox* field)
{
    QList<QStringList> rows;
    for (int row = 0; row < field->model()->rowCount(); ++row) {
        QStringList columns;
        for (int column = 0; column < field->model()->columnCount(); ++column)
            columns << field->model()->index(row, column).data().toString();
        rows << columns;
    }
    return rows;
}

// The tool tip on the screen, or nullptr.
QWidget* toolTipWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible())
            return window;
    return nullptr;
}

// The program started on `settings` with the chooser open.
struct ChooserFixture {
    explicit ChooserFixture(const QByteArray& settings, QList<SerialPortEntry> present = {})
    {
        fixture.ports.present = std::move(present);
        fixture.writeSettings(settings);
        fixture.start();
        fixture.child<QAction>("itemDevices")->trigger();
        dialog = fixture.form().findChild<PortDevicesDialog*>();
        if (dialog) {
            com1 = dialog->findChild<QComboBox*>(u"ComboBoxCOM1"_s);
            com2 = dialog->findChild<QComboBox*>(u"ComboBoxCOM2"_s);
            state1 = dialog->findChild<QLabel*>(u"LabelStateCOM1"_s);
        }
    }
    QByteArray settings() const { return fixture.readFile(u"Zorvikta.ini"_s); }

    FormFixture fixture;
    PortDevicesDialog* dialog = nullptr;
    QComboBox* com1 = nullptr;
    QComboBox* com2 = nullptr;
    QLabel* state1 = nullptr;
};

const QByteArray kStarted = "[ComPort]\nAktive=COM 1\nDevice1=/dev/ttyACM0\n; mine\n"_ba;

} // namespace

class TestPortDevicesDialog : public QObject {
    Q_OBJECT
private slots:
    void listsThePresentDevices_data()
    {
        QTest::addColumn<QList<SerialPortEntry>>("present");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("none") << QList<SerialPortEntry>() << QList<QStringList>();
        QTest::newRow("the stable alias stands for the device, rows in path order")
            << QList{kOnBoard, kFtdi, kArduino}
            << QList<QStringList>{
                   {kFtdi.stableAlias, u"FT232R USB UART"_s, u"FTDI"_s, u"A50285BI"_s},
                   {kArduino.path, u"Arduino Uno"_s, u"Arduino (www.arduino.cc)"_s,
                    u"8543931323"_s},
                   {kOnBoard.path, QString(), QString(), QString()}};
    }
    void listsThePresentDevices()
    {
        QFETCH(QList<SerialPortEntry>, present);
        QFETCH(QList<QStringList>, rows);
        ChooserFixture chooser(kStarted, present);
        QVERIFY(chooser.dialog && chooser.com1 && chooser.com2);
        QVERIFY(chooser.dialog->isModal());
        QCOMPARE(chooser.dialog->windowTitle(), u"Устройства портов"_s);
        QCOMPARE(listed(chooser.com1), rows);
        QCOMPARE(listed(chooser.com2), rows);
        // Each port's device as it stands, the default as the empty field's hint.
        QCOMPARE(chooser.com1->currentText(), u"/dev/ttyACM0"_s);
        QCOMPARE(chooser.com2->currentText(), kDefault2);
        QCOMPARE(chooser.com2->lineEdit()->placeholderText(), kDefault2);
        QCOMPARE(chooser.dialog->focusWidget(), chooser.com1);
        for (QWidget* control : chooser.dialog->findChildren<QWidget*>()) {
            if (qobject_cast<QComboBox*>(control) || qobject_cast<QPushButton*>(control) ||
                qobject_cast<QLabel*>(control))
                QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        }
    }

    // Plugged in and pulled out while the dialog is open: the lists follow, the typing stays.
    void followsWhatIsPluggedIn()
    {
        ChooserFixture chooser(kStarted, {kArduino});
        QVERIFY(chooser.dialog);
        chooser.com1->setEditText(kGone);
        chooser.com1->lineEdit()->setCursorPosition(5);
        QCOMPARE(chooser.state1->text(), u"сейчас не подключено"_s);

        chooser.fixture.ports.present = {kArduino, {kGone, {}, u"USB UART"_s, {}, {}}};
        chooser.dialog->refreshPorts();
        QCOMPARE(listed(chooser.com2).size(), 2);
        QCOMPARE(chooser.com1->currentText(), kGone);
        QCOMPARE(chooser.com1->lineEdit()->cursorPosition(), 5);
        QCOMPARE(chooser.state1->text(), QString());

        chooser.fixture.ports.present = {};
        chooser.dialog->refreshPorts();
        QCOMPARE(listed(chooser.com1), QList<QStringList>());
        QCOMPARE(chooser.com1->currentText(), kGone);
        QCOMPARE(chooser.state1->text(), u"сейчас не подключено"_s);
    }

    // A device plugged in between focusing a field and typing into it: the typing lands where
    // the user put it, replacing what they had selected.
    void typingSurvivesAPlugIn_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");  // negative: the cursor at the selection's start
        QTest::addColumn<bool>("shrink"); // Shift+Left after the refresh
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("all selected, as the dialog opens")
            << 0 << 12 << false << u"/dev/pts/9"_s << u"/dev/pts/9"_s;
        QTest::newRow("part selected, cursor at its end")
            << 8 << 4 << true << u"x"_s << u"/dev/ttyx0"_s;
        QTest::newRow("part selected, cursor at its start")
            << 12 << -4 << true << u"x"_s << u"/dev/ttx"_s;
        QTest::newRow("nothing selected, cursor inside")
            << 5 << 0 << false << u"x"_s << u"/dev/xttyACM0"_s;
    }
    void typingSurvivesAPlugIn()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, shrink);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        ChooserFixture chooser(kStarted, {kArduino});
        QVERIFY(chooser.dialog);
        QLineEdit* edit = chooser.com1->lineEdit();
        QCOMPARE(edit->text(), kArduino.path);
        if (length == 0)
            edit->setCursorPosition(start);
        else
            edit->setSelection(start, length);

        chooser.fixture.ports.present = {kArduino, kOnBoard};
        chooser.dialog->refreshPorts();
        QCOMPARE(listed(chooser.com1).size(), 2);
        if (shrink)
            QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClicks(edit, typed);
        QCOMPARE(chooser.com1->currentText(), text);
        QCOMPARE(chooser.dialog->chosen().com1, text);
    }

    // The open list stays open on the device the user had reached, though rows come before it.
    void openListSurvivesAPlugIn()
    {
        ChooserFixture chooser(kStarted, {kArduino, kOnBoard});
        QVERIFY(chooser.dialog);
        chooser.dialog->show();
        chooser.com1->showPopup();
        QAbstractItemView* view = chooser.com1->view();
        QTRY_VERIFY(view->isVisible());
        view->setCurrentIndex(view->model()->index(1, 0));

        chooser.fixture.ports.present = {kArduino, kOnBoard, kFtdi};
        chooser.dialog->refreshPorts();
        QVERIFY(view->isVisible());
        QCOMPARE(view->currentIndex().siblingAtColumn(0).data().toString(), kOnBoard.path);
        QCOMPARE(chooser.com1->currentText(), u"/dev/ttyACM0"_s);
    }

    // A name too long for the screen, of wide letters: the list stays on it, and so does the
    // row's tool tip, which has the whole name in lines broken at its slashes and, where a part
    // is longer than a line, within the part.
    void longNamesStayOnTheScreen()
    {
        const SerialPortEntry longName{
            u"/dev/ttyUSB1"_s, u"/dev/serial/by-id/usb-"_s + QString(190, u'W') + u"-port0"_s,
            u"USB UART"_s, u"Vendor"_s, u"0001"_s};
        QCOMPARE(longName.stableAlias.size(), 218);
        ChooserFixture chooser(kStarted, {kArduino, longName});
        QVERIFY(chooser.dialog);
        chooser.dialog->show();
        chooser.com1->showPopup();
        QAbstractItemView* view = chooser.com1->view();
        QTRY_VERIFY(view->isVisible());
        const QRect screen = chooser.com1->screen()->availableGeometry();
        QVERIFY2(screen.contains(view->window()->frameGeometry()),
                 qPrintable(u"%1 pixels wide"_s.arg(view->window()->frameGeometry().width())));
        QVERIFY(chooser.dialog->frameGeometry().width() <= screen.width());
        const QModelIndex row = view->model()->index(0, 0);
        QCOMPARE(row.data().toString(), longName.stableAlias);
        const QString tip = row.data(Qt::ToolTipRole).toString();
        QCOMPARE(QString(tip).remove(u'\n').remove(u' '),
                 QString(longName.stableAlias + u",USBUART,Vendor,0001"_s).remove(u' '));
        const QFontMetrics metrics(programFont());
        for (const QString& line : tip.split(u'\n'))
            QVERIFY2(metrics.horizontalAdvance(line) < screen.width(), qPrintable(line));

        if (!tipsPlacedByTheDesktop())
            return;
        QVERIFY2(tip.startsWith(u"/dev/serial/by-id/usb-\n"_s), qPrintable(tip));
        QToolTip::showText(view->viewport()->mapToGlobal(view->visualRect(row).center()), tip,
                           view->viewport());
        QWidget* shownTip = nullptr;
        QTRY_VERIFY((shownTip = toolTipWindow()));
        QVERIFY2(screen.contains(shownTip->frameGeometry()),
                 qPrintable(u"%1 pixels wide"_s.arg(shownTip->frameGeometry().width())));
        QToolTip::hideText();
    }

    void flagsWhatIsNotPluggedIn_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("flagged");
        QTest::newRow("listed by its path") << kArduino.path << false;
        QTest::newRow("listed by its alias") << kFtdi.stableAlias << false;
        for (const auto& [row, name] : bareDeviceNames())
            QTest::newRow(row) << name << false;
        QTest::newRow("bare name of nothing") << u"zorvikta-not-plugged-in"_s << true;
        QTest::newRow("path of nothing") << kGone << true;
        QTest::newRow("empty means the default") << u" "_s << false;
    }
    void flagsWhatIsNotPluggedIn()
    {
        QFETCH(QString, device);
        QFETCH(bool, flagged);
        ChooserFixture chooser(kStarted, {kArduino, kFtdi});
        QVERIFY(chooser.dialog);
        chooser.com1->setEditText(device);
        QCOMPARE(chooser.state1->text(), flagged ? u"сейчас не подключено"_s : QString());
    }

    void okAssignsAndWritesAtOnceCancelKeepsEverything_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("com1");
        QTest::addColumn<QString>("com2");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("used"); // by the next upload on COM 1
        const QByteArray kept = "[ComPort]\nAktive=COM 1\nDevice1=%1\nDevice2=%2\n; mine\n"
                                "[Speed]\nJast=no send\n[LastFile]\nPath="_ba +
                                dotted("tmp.zvk").toUtf8() + '\n';
        const auto file = [&](const QString& device1, const QString& device2) {
            return QByteArray(kept).replace("%1", device1.toUtf8()).replace("%2", device2.toUtf8());
        };
        QTest::newRow("OK button")
            << u"ok"_s << kFtdi.stableAlias << u"/dev/ttyACM0"_s
            << file(kFtdi.stableAlias, u"/dev/ttyACM0"_s) << kFtdi.stableAlias;
        QTest::newRow("Return, a device not plugged in")
            << u"return"_s << kGone << u"/dev/ttyUSB3"_s << file(kGone, u"/dev/ttyUSB3"_s) << kGone;
        QTest::newRow("empty fields mean the defaults")
            << u"ok"_s << u"  "_s << QString() << file(kDefault1, kDefault2) << kDefault1;
        QTest::newRow("Cancel") << u"cancel"_s << kGone << kGone << kStarted << u"/dev/ttyACM0"_s;
        QTest::newRow("Esc") << u"escape"_s << kGone << kGone << kStarted << u"/dev/ttyACM0"_s;
    }
    void okAssignsAndWritesAtOnceCancelKeepsEverything()
    {
        QFETCH(QString, how);
        QFETCH(QString, com1);
        QFETCH(QString, com2);
        QFETCH(QByteArray, settings);
        QFETCH(QString, used);
        ChooserFixture chooser(kStarted, {kFtdi});
        QVERIFY(chooser.dialog);
        chooser.com1->setEditText(com1);
        chooser.com2->setEditText(com2);
        const auto buttons = chooser.dialog->findChildren<QPushButton*>();
        const auto click = [&](const QString& text) {
            for (QPushButton* button : buttons)
                if (button->text() == text)
                    QTest::mouseClick(button, Qt::LeftButton);
        };
        if (how == u"ok")
            click(u"OK"_s);
        else if (how == u"cancel")
            click(u"Отмена"_s);
        else
            QTest::keyClick(chooser.com1->lineEdit(),
                            how == u"return" ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(!chooser.dialog->isVisible());
        QCOMPARE(chooser.settings(), settings);
        chooser.fixture.form().SpeedButtonTxClick();
        QCOMPARE(chooser.fixture.recording.transfers.constFirst().device, used);
    }

    // A path typed with a line break is refused at once: OK is off, the field says why and
    // nothing is written. What the file already held goes through untouched, byte for byte.
    void refusesAPathALineCannotHold_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("typed"); // null: the field is left as it came
        QTest::addColumn<QString>("state");
        QTest::addColumn<QByteArray>("after"); // null: the dialog stays open, the file as it was
        const QString refused = u"путь не может содержать перевод строки"_s;
        QTest::newRow("line feed pasted")
            << kStarted << u"/dev/ttyUSB0\n/dev/ttyUSB1"_s << refused << QByteArray();
        QTest::newRow("carriage return pasted")
            << kStarted << u"/dev/ttyUSB0\r"_s << refused << QByteArray();
        QTest::newRow("NUL held by the file, untouched")
            << "[ComPort]\nAktive=COM 1\nDevice1=/dev/tty\0S0\n"_ba << QString()
            << u"сейчас не подключено"_s
            << "[ComPort]\nAktive=COM 1\nDevice1=/dev/tty\0S0\nDevice2="_ba + kDefault2.toUtf8() +
                   "\n[Speed]\nJast=no send\n[LastFile]\nPath=" + dotted("tmp.zvk").toUtf8() + '\n';
    }
    void refusesAPathALineCannotHold()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, typed);
        QFETCH(QString, state);
        QFETCH(QByteArray, after);
        ChooserFixture chooser(settings, {kFtdi});
        QVERIFY(chooser.dialog);
        if (!typed.isNull())
            chooser.com1->setEditText(typed);
        QCOMPARE(chooser.state1->text(), state);
        for (QPushButton* button : chooser.dialog->findChildren<QPushButton*>())
            if (button->text() == u"OK")
                QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(chooser.dialog->isVisible(), after.isNull());
        QCOMPARE(chooser.settings(), after.isNull() ? settings : after);
        QCOMPARE(chooser.fixture.prompts.errors, QStringList());
    }

    // The file as it is at that moment: device lines edited by hand survive a port pick and the
    // close, and a device chosen in the dialog is only written by the dialog.
    void deviceLinesEditedByHandSurvive()
    {
        FormFixture fixture;
        fixture.writeSettings("[ComPort]\nAktive=COM 2\nDevice1=/dev/ttyACM0\n");
        fixture.start();
        fixture.writeSettings("[ComPort]\r\nAktive=COM 2\r\nDevice1 = /dev/by-hand\r\n");
        fixture.child<QAction>("itemCom1")->trigger();
        const QByteArray picked = "[ComPort]\r\nAktive=COM 1\r\nDevice1 = /dev/by-hand\r\n"
                                  "[Speed]\r\nJast=no send\r\n[LastFile]\r\nPath="_ba +
                                  dotted("tmp.zvk").toUtf8() + "\r\n";
        QCOMPARE(fixture.readFile(u"Zorvikta.ini"_s), picked);
        fixture.prompts.answers = {false};
        QVERIFY(fixture.form().close());
        QCOMPARE(fixture.readFile(u"Zorvikta.ini"_s), picked);
    }

    void portItemsNameTheirDevices_data()
    {
        QTest::addColumn<QString>("device1");
        QTest::addColumn<QString>("hint1");
        QTest::newRow("present, by its path") << kFtdi.path << u"/dev/ttyUSB0: FT232R USB UART"_s;
        QTest::newRow("present, by its alias")
            << kFtdi.stableAlias << kFtdi.stableAlias + u": FT232R USB UART"_s;
        QTest::newRow("not plugged in") << kGone << kGone;
    }
    void portItemsNameTheirDevices()
    {
        QFETCH(QString, device1);
        QFETCH(QString, hint1);
        FormFixture fixture;
        fixture.ports.present = {kFtdi, kOnBoard};
        fixture.writeSettings("[ComPort]\nDevice1=" + device1.toUtf8() + '\n');
        fixture.start();
        emit fixture.child<QMenu>("itemCOMport")->aboutToShow();
        QCOMPARE(fixture.child<QAction>("itemCom1")->toolTip(), hint1);
        QCOMPARE(fixture.child<QAction>("itemCom2")->toolTip(), kDefault2);
        QCOMPARE(fixture.child<QAction>("itemCom1")->text(), u"соединить с COM 1"_s);
    }
};

QTEST_MAIN(TestPortDevicesDialog)
#include "tst_PortDevicesDialog.moc"
