// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/About/TAboutForm.h"
#include "ui/Diagram/TDigrForm.h"
#include "ui/Help/THelpForm.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

using namespace zorvikta;

namespace {

const QColor kAboutGreen(0xC0, 0xDC, 0xC0);

// Records what the About window hands to the desktop, and the e-mail line's colour meanwhile.
struct UrlRecorder {
    QList<QUrl> urls;
    QList<QColor> coloursDuringCall;
    bool answer = true;
};

// The windows build their contents when first shown.
template <typename Window> Window& shown(Window& window)
{
    window.show();
    return window;
}

std::unique_ptr<TAboutForm> makeAbout(UrlRecorder& recorder)
{
    return std::make_unique<TAboutForm>([&recorder](const QUrl& url) {
        recorder.urls.append(url);
        return recorder.answer;
    });
}

std::unique_ptr<QDialog> makeWindow(const QString& which)
{
    if (which == QStringLiteral("About"))
        return std::make_unique<TAboutForm>([](const QUrl&) { return false; });
    if (which == QStringLiteral("Help"))
        return std::make_unique<THelpForm>();
    return std::make_unique<TDigrForm>();
}

QColor textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, const QPoint& at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

QRect boundsOf(const QImage& image, const QColor& colour, int& count)
{
    QRect bounds;
    count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                bounds = bounds.united(QRect(x, y, 1, 1));
                ++count;
            }
        }
    }
    return bounds;
}

} // namespace

class TestAuxWindows : public QObject {
    Q_OBJECT
private slots:
    void windowsHaveTheirCaptionSizeAndIcon_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("clientSize");
        QTest::addColumn<bool>("fixedSize");
        QTest::newRow("About") << QStringLiteral("About") << QStringLiteral("О программе Zorvikta")
                               << QSize(306, 206) << true;
        QTest::newRow("Help") << QStringLiteral("Help") << QStringLiteral("Справка")
                              << QSize(536, 348) << false;
        QTest::newRow("Diagram") << QStringLiteral("Diagram") << QStringLiteral("Схема подключения")
                                 << QSize(413, 189) << false;
    }
    void windowsHaveTheirCaptionSizeAndIcon()
    {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QSize, clientSize);
        QFETCH(bool, fixedSize);

        const auto window = makeWindow(which);
        QCOMPARE(window->windowTitle(), caption);
        QVERIFY(!window->windowIcon().availableSizes().isEmpty());

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->size(), clientSize);
        QCOMPARE(window->minimumSize() == window->maximumSize(), fixedSize);
        const QPoint offCentre =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "the window is not centred on the screen");
    }

    void aboutHasNoSystemMenuOrCloseBox()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinMaxButtonsHint));
    }

    void aboutShowsGreenGroundAndShadowedLogo()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        const QImage image = shown(*about).grab().toImage();
        QCOMPARE(image.pixelColor(4, image.height() - 4), kAboutGreen);
        QCOMPARE(image.pixelColor(image.width() / 2, 160), kAboutGreen);

        const QImage logoBand = image.copy(0, 104, 200, 48);
        int tealCount = 0;
        int greyCount = 0;
        const QRect teal = boundsOf(logoBand, QColor(0x00, 0x80, 0x80), tealCount);
        const QRect grey = boundsOf(logoBand, QColor(0x80, 0x80, 0x80), greyCount);
        QVERIFY(tealCount > 50);
        QVERIFY(greyCount > 0);
        // The grey copy sits 2 right and 4 down, and the teal one covers part of it.
        QCOMPARE(grey.right() - teal.right(), 2);
        QCOMPARE(grey.bottom() - teal.bottom(), 4);
        QVERIFY(tealCount > greyCount);
    }

    void aboutContents()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        const auto* version = shown(*about).findChild<QLabel*>(QStringLiteral("LabelVersion"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version 2.3            july 2005 г."));
        QVERIFY(TAboutForm::mailAddress().endsWith(QStringLiteral("@example.org")));
        QVERIFY(about->findChild<QLabel*>(QStringLiteral("Label2"))
                    ->text()
                    .contains(TAboutForm::mailAddress()));
        const auto* picture = about->findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(picture);
        QVERIFY(!picture->pixmap().isNull());
        QCOMPARE(picture->geometry(), QRect(200, 17, 97, 82));
        QCOMPARE(textColour(about->findChild<QLabel*>(QStringLiteral("Label2"))),
                 QColor(Qt::black));
    }

    void timersRunFromCreation()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        const auto* flash = about->findChild<QTimer*>(QStringLiteral("TimerFlesh"));
        const auto* delay = about->findChild<QTimer*>(QStringLiteral("TimerDelay"));
        QVERIFY(flash && delay);
        QVERIFY(flash->isActive());
        QCOMPARE(flash->interval(), 300);
        QVERIFY(delay->isActive());
        QCOMPARE(delay->interval(), 3000);
    }

    void delayClosesAboutOpenedEarly()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        QWidget* modalDuringExec = nullptr;
        QTimer::singleShot(0, about.get(), [&] {
            modalDuringExec = QApplication::activeModalWidget();
            about->TimerDelayTimer();
        });
        // Should the delay fail to close the window, this ends the modal loop instead.
        QTimer::singleShot(0, about.get(), [&] {
            if (about->isVisible())
                about->done(99);
        });
        const int result = about->exec();
        QCOMPARE(modalDuringExec, about.get());
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!about->isVisible());
        QVERIFY(!about->findChild<QTimer*>(QStringLiteral("TimerDelay"))->isActive());
        QVERIFY(about->findChild<QTimer*>(QStringLiteral("TimerFlesh"))->isActive());
    }

    void delayTimerReachesItsHandler()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        about->show();
        auto* delay = about->findChild<QTimer*>(QStringLiteral("TimerDelay"));
        delay->start(0);
        QTRY_VERIFY(!about->isVisible());
        QVERIFY(!delay->isActive());
    }

    void aboutOpenedAfterTheDelayStaysOpen()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        about->TimerDelayTimer();
        QVERIFY(!about->findChild<QTimer*>(QStringLiteral("TimerDelay"))->isActive());

        about->show();
        for (int tick = 0; tick < 20; ++tick)
            about->TimerFleshTimer();
        QVERIFY(about->isVisible());
        const auto* flash = about->findChild<QTimer*>(QStringLiteral("TimerFlesh"));
        QVERIFY(flash->isActive());
        QCOMPARE(flash->interval(), 300);
    }

    void okButtonCloses()
    {
        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        about->TimerDelayTimer();
        about->show();
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        QVERIFY(ok);
        QCOMPARE(ok->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!ok->icon().isNull());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about->isVisible());
        QCOMPARE(about->result(), int(QDialog::Accepted));
    }

    void mailLineColours_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("untouched") << QStringList{} << QColor(Qt::black);
        QTest::newRow("move") << QStringList{QStringLiteral("move")} << QColor(0xFF, 0, 0);
        QTest::newRow("leave") << QStringList{QStringLiteral("leave")} << QColor(0, 0, 0x80);
        QTest::newRow("move, leave")
            << QStringList{QStringLiteral("move"), QStringLiteral("leave")} << QColor(0, 0, 0x80);
        QTest::newRow("move, click")
            << QStringList{QStringLiteral("move"), QStringLiteral("click")} << QColor(0, 0x80, 0);
        QTest::newRow("click, move")
            << QStringList{QStringLiteral("click"), QStringLiteral("move")} << QColor(0xFF, 0, 0);
        QTest::newRow("click, leave")
            << QStringList{QStringLiteral("click"), QStringLiteral("leave")} << QColor(0, 0, 0x80);
    }
    void mailLineColours()
    {
        QFETCH(QStringList, events);
        QFETCH(QColor, colour);

        UrlRecorder recorder;
        const auto about = makeAbout(recorder);
        auto* line = shown(*about).findChild<QLabel*>(QStringLiteral("Label2"));
        const QPoint inside = line->rect().center();
        for (const QString& event : events) {
            if (event == QStringLiteral("move")) {
                sendMouse(line, QEvent::MouseMove, Qt::NoButton, inside);
            } else if (event == QStringLiteral("leave")) {
                QEvent leave(QEvent::Leave);
                QCoreApplication::sendEvent(line, &leave);
            } else {
                sendMouse(line, QEvent::MouseButtonPress, Qt::LeftButton, inside);
                sendMouse(line, QEvent::MouseButtonRelease, Qt::LeftButton, inside);
            }
        }
        QCOMPARE(textColour(line), colour);
        if (events.contains(QStringLiteral("move")))
            QCOMPARE(line->cursor().shape(), Qt::PointingHandCursor);

        // The colour outlasts closing and reopening the window.
        about->TimerDelayTimer();
        about->show();
        about->hide();
        about->show();
        QCOMPARE(textColour(line), colour);
    }

    void mailClickOpensMailto_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<bool>("desktopAnswers");
        QTest::addColumn<bool>("opened");
        QTest::newRow("left click") << Qt::LeftButton << true << true << true;
        QTest::newRow("no mail program") << Qt::LeftButton << true << false << true;
        QTest::newRow("released elsewhere") << Qt::LeftButton << false << true << false;
        QTest::newRow("right button") << Qt::RightButton << true << true << false;
    }
    void mailClickOpensMailto()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, releaseInside);
        QFETCH(bool, desktopAnswers);
        QFETCH(bool, opened);

        UrlRecorder recorder;
        recorder.answer = desktopAnswers;
        QLabel* line = nullptr;
        TAboutForm about([&](const QUrl& url) {
            recorder.urls.append(url);
            recorder.coloursDuringCall.append(textColour(line));
            return recorder.answer;
        });
        line = shown(about).findChild<QLabel*>(QStringLiteral("Label2"));
        const QPoint inside = line->rect().center();
        const QPoint outside = line->rect().bottomRight() + QPoint(40, 40);
        sendMouse(line, QEvent::MouseButtonPress, button, inside);
        sendMouse(line, QEvent::MouseButtonRelease, button, releaseInside ? inside : outside);

        if (!opened) {
            QVERIFY(recorder.urls.isEmpty());
            return;
        }
        const QColor green(0, 0x80, 0);
        QCOMPARE(recorder.urls,
                 QList<QUrl>{QUrl(QStringLiteral("mailto:") + TAboutForm::mailAddress())});
        QCOMPARE(recorder.coloursDuringCall, QList<QColor>{green});
        QCOMPARE(textColour(line), green);
    }

    void helpTextHoldsItsSectionsInOrder_data()
    {
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("sections") << QStringList{
            QStringLiteral("Открывающиеся меню"), QStringLiteral("Панель инструментов"),
            QStringLiteral("Панель Установок"), QStringLiteral("Поле редактирования")};
        QTest::newRow("menus within the first section")
            << QStringList{QStringLiteral("Открывающиеся меню"), QStringLiteral("Меню «ФАЙЛ»"),
                           QStringLiteral("Меню «Команды»"),     QStringLiteral("Меню «Заготовки»"),
                           QStringLiteral("Меню «Сом порт»"),    QStringLiteral("Меню «Справка»"),
                           QStringLiteral("Панель инструментов")};
    }
    void helpTextHoldsItsSectionsInOrder()
    {
        QFETCH(QStringList, headings);
        THelpForm help;
        const auto* box = shown(help).findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
        QVERIFY(box);
        const QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
        qsizetype previous = -1;
        for (const QString& heading : headings) {
            const qsizetype at = lines.indexOf(heading);
            QVERIFY2(at > previous, qPrintable(heading));
            previous = at;
        }
    }

    void helpTextIsEditableAndNeverSaved()
    {
        const QString typed = QStringLiteral("my note 42");
        {
            THelpForm help;
            auto* box = shown(help).findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
            QCOMPARE(box->toPlainText(), THelpForm::helpText());
            help.show();
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            box->moveCursor(QTextCursor::Start);
            QTest::keyClicks(box, typed);
            QVERIFY(box->toPlainText().startsWith(typed));
            help.hide();
            help.show();
            QVERIFY(box->toPlainText().startsWith(typed));
        }
        THelpForm fresh;
        QCOMPARE(shown(fresh).findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->toPlainText(),
                 THelpForm::helpText());
        QVERIFY(!THelpForm::helpText().startsWith(typed));
    }

    void helpBoxFillsWindowWithBothScrollBars_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("the guide") << THelpForm::helpText();
        QTest::newRow("one short line") << QStringLiteral("x");
    }
    void helpBoxFillsWindowWithBothScrollBars()
    {
        QFETCH(QString, text);
        THelpForm help;
        auto* box = shown(help).findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
        box->setPlainText(text + QStringLiteral("\n") + QString(400, QLatin1Char('w')));
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        for (const QSize size : {QSize(536, 348), QSize(700, 200)}) {
            help.resize(size);
            QCoreApplication::processEvents();
            QCOMPARE(box->geometry(), help.rect());
            QVERIFY(box->horizontalScrollBar()->isVisible());
            QVERIFY(box->verticalScrollBar()->isVisible());
            // Long lines run on to the right instead of wrapping.
            QVERIFY(box->horizontalScrollBar()->maximum() > 0);
        }
    }

    void diagramIsStretchedToTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as opened") << QSize(413, 189);
        QTest::newRow("taller than the picture") << QSize(300, 400);
        QTest::newRow("wider") << QSize(900, 200);
    }
    void diagramIsStretchedToTheWindow()
    {
        QFETCH(QSize, size);
        TDigrForm diagram;
        diagram.show();
        QVERIFY(QTest::qWaitForWindowExposed(&diagram));
        diagram.resize(size);
        QCoreApplication::processEvents();
        const auto* image1 = diagram.findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(image1);
        QCOMPARE(image1->geometry(), diagram.rect());
        QCOMPARE(image1->pixmap().size(), QSize(2812, 1328));

        const QImage shown = diagram.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected =
            QImage(QStringLiteral(":/pictures/diagram.jpg"))
                .scaled(diagram.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), expected.size());
        qint64 difference = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                difference += qAbs(qGray(shown.pixel(x, y)) - qGray(expected.pixel(x, y)));
        }
        const double meanDifference = double(difference) / (shown.width() * shown.height());
        QVERIFY2(meanDifference < 4.0, qPrintable(QString::number(meanDifference)));
    }
};

QTEST_MAIN(TestAuxWindows)
#include "tst_AuxWindows.moc"
