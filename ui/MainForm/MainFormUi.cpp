// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's bands, controls and menu, at the pixel positions the layout was drawn with;
// the keyboard's way into them and the window's shortcuts.
#include "ui/MainForm/MainFormUi.h"

#include "model/Cursor.h"
#include "model/Presets.h"
#include "ui/BevelPanel.h"
#include "ui/MainForm/TMainForm.h"
#include "ui/PaintSurface.h"
#include "ui/PortWarningGate.h"
#include "ui/ProgramFont.h"
#include "ui/ProgramIcons.h"
#include "ui/Prompts.h"
#include "ui/SliderFocusMark.h"
#include "ui/StatusPanels.h"
#include "ui/StepLabel.h"
#include "ui/UpDown.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace zorvikta {

namespace {

constexpr int kDesignClientWidth = 590;
constexpr int kDesignClientHeight = 259; // below the menu bar, status bar included

const QColor kPresetText{0, 0, 128};
const QColor kChannelText{0, 128, 0};
const QColor kLengthText{128, 0, 0};
const QColor kSpeedText{128, 0, 128};

struct PresetButtonPlace {
    const char* name;
    int left;
    int top;
    int width;
};

// In the order of presets(): upper row, then lower row, left to right.
constexpr std::array<PresetButtonPlace, 16> kPresetButtons{{
    {"SpeedButtonRun4_1", 8, 8, 23},
    {"SpeedButtonRun4_2", 32, 8, 23},
    {"SpeedButtonRun4_3", 56, 8, 23},
    {"SpeedButtonUn1", 80, 8, 26},
    {"SpeedButtonRun3_1", 112, 8, 23},
    {"SpeedButtonMeandr2", 144, 8, 23},
    {"SpeedButtonVs", 176, 8, 24},
    {"SpeedButtonRnd", 200, 8, 27},
    {"SpeedButtonRunNap4", 8, 32, 23},
    {"SpeedButtonGray4", 32, 32, 23},
    {"SpeedButtonRun4_fl", 56, 32, 23},
    {"SpeedButtonUn2", 80, 32, 26},
    {"SpeedButtonRun3_2", 112, 32, 23},
    {"SpeedButtonL2", 144, 32, 23},
    {"SpeedButtonST", 176, 32, 24},
    {"SpeedButtonRmf", 200, 32, 27},
}};

QWidget* fixedBand(QWidget* band, const char* name, int height)
{
    band->setObjectName(QString::fromLatin1(name));
    band->setFixedHeight(height);
    return band;
}

template <typename Label = QLabel>
Label* placeLabel(QWidget* parent, const char* name, const QString& text, QPoint at, int width,
                  const QColor& colour)
{
    auto* label = new Label(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    // A fixed size: a new text then asks nothing of the panel's layout, which matters for the
    // step counter, whose text changes with every step played.
    label->setFixedSize(width, 13);
    label->move(at);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

UpDown* placeUpDown(QWidget* parent, const char* name, int minimum, int maximum, int position,
                    QPoint at, const QString& hint)
{
    auto* upDown = new UpDown(minimum, maximum, position, parent);
    upDown->setObjectName(QString::fromLatin1(name));
    upDown->move(at);
    upDown->setToolTip(hint);
    return upDown;
}

QScrollBar* horizontalScrollBar(QWidget* parent, const char* name, int minimum, int maximum,
                                int position, const QString& hint)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setValue(position);
    bar->setToolTip(hint);
    return bar;
}

// One row of the menu bar's table: a menu, or an item or separator of the menu above it.
struct MenuRow {
    enum Kind { Menu, Item, Separator };
    Kind kind;
    const char* name;              // the object name
    const char* caption = nullptr; // UTF-8
    const char* glyph = nullptr;   // items only
    // An item's handler; a menu's fills in its items' hints as it opens, which shows them.
    void (TMainForm::*slot)() = nullptr;
    const char* preset = nullptr;           // instead of a handler: the item applies this preset
    QAction* MainFormUi::*member = nullptr; // where the handlers find the item
    bool checkable = false;
    bool checked = false;
};

QToolButton* addToolButton(QWidget* bar, const char* name, int left, int width, const QString& hint,
                           const char* glyph)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 3, width, 22);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setCursor(Qt::PointingHandCursor);
    // Our own glyphs, never the desktop's icon theme: the bar looks the same everywhere, and the
    // theme lookup would be a large part of the start-up.
    button->setIcon(glyphIcon(glyph));
    button->setIconSize(QSize(16, 16));
    return button;
}

} // namespace

void MainFormUi::setupUi(TMainForm& form)
{
    buildWindow(form);
    // The menus are windows of their own and would take the desktop's colours.
    for (QMenu* menu : form.findChildren<QMenu*>())
        menu->setPalette(form.palette());
    buildKeyboard(form);
    buildShortcuts(form);
}

void MainFormUi::buildWindow(TMainForm& form)
{
    form.setObjectName(QStringLiteral("MainForm"));
    form.setWindowIcon(programIcon());
    form.setFont(programFont());

    buildMenu(form);

    auto* client = new QWidget(&form);
    auto* bands = new QVBoxLayout(client);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);

    bands->addWidget(buildToolBar(form));
    bands->addWidget(buildSettingsPanel(form));

    paintBoxRun = new PaintSurface(client);
    bands->addWidget(fixedBand(paintBoxRun, "PaintBoxRun", 17));

    auto* panel2 = fixedBand(new QWidget(client), "Panel2", 23);
    labelScroll = placeLabel(panel2, "LabelScroll", QStringLiteral("1"), {9, 5}, 40,
                             form.palette().color(QPalette::WindowText));
    bands->addWidget(panel2);

    scrollBarArea = horizontalScrollBar(client, "ScrollBarArea", 0, kDesignLastFirstVisible, 0,
                                        QStringLiteral("Место шага в файле"));
    bands->addWidget(fixedBand(scrollBarArea, "ScrollBarArea", 16));

    bands->addWidget(fixedBand(new QWidget(client), "Panel3", 11));

    paintBox = new PaintSurface(client);
    bands->addWidget(fixedBand(paintBox, "PaintBox", 75));

    bands->addStretch(1);
    statusBar = new StatusPanels(client);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    bands->addWidget(statusBar);
    form.setCentralWidget(client);

    timerRun = new QTimer(&form);
    timerRun->setObjectName(QStringLiteral("TimerRun"));
    timerRun->setTimerType(Qt::PreciseTimer);
    timerRun->setInterval(300);
    timerStatus = new QTimer(&form);
    timerStatus->setObjectName(QStringLiteral("TimerStatus"));
    timerStatus->setInterval(3000);

    form.move(161, 113);
    form.resize(kDesignClientWidth, form.menuBar()->sizeHint().height() + kDesignClientHeight);

    QObject::connect(paintBox, &PaintSurface::pressed, &form,
                     [&form](Qt::MouseButton button, QPoint at) {
                         form.PaintBoxMouseDown(button, at.x(), at.y());
                     });
    QObject::connect(paintBox, &PaintSurface::moved, &form,
                     [&form](QPoint at) { form.PaintBoxMouseMove(at.x(), at.y()); });
    QObject::connect(paintBox, &PaintSurface::released, &form, [&form] { form.PaintBoxMouseUp(); });
    QObject::connect(paintBox, &PaintSurface::doubleClicked, &form, &TMainForm::PaintBoxDblClick);
    QObject::connect(paintBox, &PaintSurface::resized, &form, &TMainForm::fitStepBarRange);
    QObject::connect(scrollBarArea, &QScrollBar::valueChanged, &form,
                     &TMainForm::ScrollBarAreaChange);
    QObject::connect(scrollBarSpeed, &QScrollBar::valueChanged, &form,
                     &TMainForm::ScrollBarSpeedChange);
    QObject::connect(upDownCh, &UpDown::clicked, &form, &TMainForm::UpDownChClick);
    QObject::connect(upDownLeng, &UpDown::clicked, &form, &TMainForm::UpDownLengClick);
    QObject::connect(timerRun, &QTimer::timeout, &form, &TMainForm::TimerRunTimer);
    QObject::connect(timerStatus, &QTimer::timeout, &form, &TMainForm::TimerStatusTimer);
}

QWidget* MainFormUi::buildToolBar(TMainForm& form)
{
    // One button of the tool bar, left to right.
    struct ToolButtonRow {
        const char* name;
        int left;
        int width;
        const char* hint; // UTF-8
        const char* glyph;
        void (TMainForm::*slot)();
        QToolButton* MainFormUi::*member = nullptr; // where the handlers find the button
        bool enabled = true;
    };
    static constexpr ToolButtonRow kToolBar[] = {
        {"SpeedButtonNew", 8, 23, "Cоздать новый файл", "new", &TMainForm::SpeedButtonNewClick},
        {"SpeedButtonOpen", 31, 23, "открыть  файл", "open", &TMainForm::SpeedButtonOpenClick},
        {"SpeedButtonSaveAS", 54, 23, "Записать  файл как...", "saveas",
         &TMainForm::SpeedButtonSaveASClick},
        {"SpeedButtonSave", 77, 23, "сохранить  файл", "save", &TMainForm::SpeedButtonSaveClick,
         &MainFormUi::speedButtonSave, false},
        {"SpeedButtonDelete", 129, 23, "Удалить шаг", "delete", &TMainForm::SpeedButtonDeleteClick,
         &MainFormUi::speedButtonDelete},
        {"SpeedButtonInsert", 152, 23, "Вставить шаг", "insert", &TMainForm::SpeedButtonInsertClick,
         &MainFormUi::speedButtonInsert},
        {"SpeedButtonClearAll", 175, 23, "Очистить все", "clearall",
         &TMainForm::SpeedButtonClearAllClick},
        {"SpeedButtonFillAll", 198, 23, "заполнить все", "fillall",
         &TMainForm::SpeedButtonFillAllClick},
        {"SpeedButtonUndo", 221, 23, "Вернуть прежнее значение", "undo",
         &TMainForm::SpeedButtonUndoClick, &MainFormUi::speedButtonUndo, false},
        {"SpeedButtonTx", 273, 24, "загрузить файл во внешнее устройство", "tx",
         &TMainForm::SpeedButtonTxClick},
        {"SpeedButtonInvers", 329, 23, "инвертировать поле", "invers",
         &TMainForm::SpeedButtonInversClick},
        {"SpeedButtonSplash", 352, 23, "Инвертировать шаги", "splash",
         &TMainForm::SpeedButtonSplashClick},
        {"SpeedButtonRotateCh", 375, 23, "поменять каналы местами", "rotatech",
         &TMainForm::SpeedButtonRotateChClick},
    };

    auto* bar = fixedBand(new QWidget(&form), "ToolBar", 29);
    for (const ToolButtonRow& row : kToolBar) {
        QToolButton* button = addToolButton(bar, row.name, row.left, row.width,
                                            QString::fromUtf8(row.hint), row.glyph);
        button->setEnabled(row.enabled);
        QObject::connect(button, &QToolButton::clicked, &form, row.slot);
        if (row.member)
            this->*row.member = button;
    }
    return bar;
}

QWidget* MainFormUi::buildSettingsPanel(TMainForm& form)
{
    auto* panel = new BevelPanel(&form);
    fixedBand(panel, "Panel1", 60);

    buildPresetButtons(form, panel);

    for (const int x : {240, 320, 398, 497}) {
        auto* line = new QWidget(panel);
        line->setObjectName(QStringLiteral("Bevel%1").arg(x));
        line->setGeometry(x, 5, 1, 50);
        line->setAutoFillBackground(true);
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Mid));
        line->setPalette(palette);
    }

    upDownCh = placeUpDown(panel, "UpDownCh", kMinChannels, kMaxChannels, 4, {248, 23},
                           QStringLiteral("Установить количество активных каналов"));
    placeLabel(panel, "Labelchy", QStringLiteral("Каналы"), {272, 25}, 46, kChannelText);
    labelCh = placeLabel(panel, "LabelCh", QStringLiteral("4"), {272, 40}, 30, kChannelText);

    labelStep = placeLabel<StepLabel>(panel, "LabelStep", QStringLiteral("Шаг = ?"), {330, 8}, 66,
                                      kLengthText);
    labelStep->setToolTip(QStringLiteral("Текущий шаг"));
    upDownLeng = placeUpDown(panel, "UpDownLeng", kMinLength, kMaxLength, 8, {328, 24},
                             QStringLiteral("Установить максимальную длинну "));
    placeLabel(panel, "LabelLn", QStringLiteral("Длина"), {352, 24}, 44, kLengthText);
    labelLeng = placeLabel(panel, "LabelLeng", QStringLiteral("8"), {352, 40}, 40, kLengthText);

    checkBoxToBox = new QCheckBox(QStringLiteral("Сразу в блок"), panel);
    checkBoxToBox->setObjectName(QStringLiteral("CheckBoxToBox"));
    checkBoxToBox->setGeometry(405, 8, 89, 17);
    checkBoxToBox->setToolTip(QStringLiteral("Менять скорость в блоке сразу"));
    checkBoxToBox->setChecked(true);
    QPalette checkPalette = checkBoxToBox->palette();
    checkPalette.setColor(QPalette::WindowText, kSpeedText);
    checkBoxToBox->setPalette(checkPalette);
    labelSpeed =
        placeLabel(panel, "LabelSpeed", QStringLiteral("Cкорость  230"), {408, 24}, 86, kSpeedText);
    scrollBarSpeed = horizontalScrollBar(panel, "ScrollBarSpeed", kMinSpeed, kMaxSpeed, 230,
                                         QStringLiteral("Скорость изменения шагов"));
    scrollBarSpeed->setGeometry(407, 40, 81, 15);
    portWarnings = new PortWarningGate(
        scrollBarSpeed,
        [&form](const QString& text, const QString& details) {
            form.m_services.prompts.warn(text, details);
        },
        &form);

    speedButtonPlay = new QToolButton(panel);
    speedButtonPlay->setObjectName(QStringLiteral("SpeedButtonPlay"));
    speedButtonPlay->setGeometry(505, 5, 73, 48);
    speedButtonPlay->setCheckable(true);
    speedButtonPlay->setChecked(true);
    speedButtonPlay->setToolTip(QStringLiteral("Пуск-Стоп эмулятора"));
    speedButtonPlay->setIcon(QIcon(QStringLiteral(":/glyphs/play.png")));
    speedButtonPlay->setIconSize(QSize(32, 32));
    QObject::connect(speedButtonPlay, &QToolButton::clicked, &form,
                     &TMainForm::SpeedButtonPlayClick);
    return panel;
}

void MainFormUi::buildPresetButtons(TMainForm& form, QWidget* panel)
{
    QFont captionFont = form.font();
    captionFont.setPixelSize(11);
    for (std::size_t i = 0; i < kPresetButtons.size(); ++i) {
        const Preset& preset = presets()[i];
        const PresetButtonPlace& place = kPresetButtons[i];
        auto* button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(place.name));
        button->setText(QString::fromLatin1(preset.caption.data(),
                                            static_cast<qsizetype>(preset.caption.size())));
        button->setGeometry(place.left, place.top, place.width, 22);
        button->setAutoRaise(true);
        button->setFont(captionFont);
        button->setCursor(Qt::PointingHandCursor);
        button->setToolTip(QStringLiteral("Стандартная бегушка"));
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, kPresetText);
        button->setPalette(palette);
        QObject::connect(button, &QToolButton::clicked, &form,
                         [&form, &preset] { form.SpeedButtonPresetClick(preset); });
    }
}

void MainFormUi::buildMenu(TMainForm& form)
{
    using Row = MenuRow;
    // The menu bar from left to right, each menu followed by its items.
    static constexpr MenuRow kMenuBar[] = {
        {Row::Menu, "itemFile", "Файл"},
        {Row::Item, "itmNew", "New", "new", &TMainForm::SpeedButtonNewClick},
        {Row::Item, "itemLoad", "Open", "open", &TMainForm::SpeedButtonOpenClick},
        {Row::Item, "itemSaveAS", "Save AS", "saveas", &TMainForm::SpeedButtonSaveASClick},
        {Row::Item, "itemSave", "Save", "save", &TMainForm::SpeedButtonSaveClick},
        {Row::Separator, "N3"},
        {Row::Item, "itemClose", "Exit", "file", &TMainForm::itemCloseClick},

        {Row::Menu, "itemComand", "Команды"},
        {Row::Item, "itemField", "Инвертировать поле (яркость каналов)", "invers",
         &TMainForm::SpeedButtonInversClick},
        {Row::Item, "itemStep", "Инвертировать шаги", "splash", &TMainForm::SpeedButtonSplashClick},
        // Our choice: the menu item swaps the channels like its tool-bar button.
        {Row::Item, "itemRotat", "Обмен каналов", "rotatech", &TMainForm::SpeedButtonRotateChClick},
        {Row::Separator, "ItemC1"},
        {Row::Item, "ItemPlay", "Play", "commands", &TMainForm::ItemPlayClick},
        {Row::Item, "ItemStop", "Stop", "commands", &TMainForm::ItemStopClick},

        {Row::Menu, "itemCustom", "Заготовки"},
        {Row::Item, "item4_1", "4 канала, 1 огонек", "presets", nullptr, "4-1"},
        {Row::Item, "item4_2", "4 канала, 2 огонька", "presets", nullptr, "4-2"},
        {Row::Item, "item4_3", "4 канала, 3 огонька", "presets", nullptr, "4-3"},
        {Row::Item, "item4_N", "4 канала, наполнение и сброс", "presets", nullptr, "4Np"},
        {Row::Item, "item4_G", "4 канала, наполнение и спад", "presets", nullptr, "4Gr"},
        {Row::Separator, "itemR1"},
        {Row::Item, "item3_1", "3 канала, 1 огонек", "presets", nullptr, "3-1"},
        {Row::Item, "item3_2", "3 канала, 2 огонька", "presets", nullptr, "3-2"},
        {Row::Separator, "itemR2"},

        {Row::Menu, "itemCOMport", "СОМ Порт", nullptr, &TMainForm::showPortHints},
        {.kind = Row::Item,
         .name = "itemCom1",
         .caption = "соединить с COM 1",
         .slot = &TMainForm::itemCom1Click,
         .member = &MainFormUi::itemCom1,
         .checkable = true},
        {.kind = Row::Item,
         .name = "itemCom2",
         .caption = "соединить с COM 2",
         .slot = &TMainForm::itemCom2Click,
         .member = &MainFormUi::itemCom2,
         .checkable = true,
         .checked = true},
        {Row::Item, "ItemTX", "Переслать файл во внешнее устройство", "tx",
         &TMainForm::SpeedButtonTxClick},
        {Row::Separator, "itemR3"},
        {.kind = Row::Item,
         .name = "itemDevices",
         .caption = "Выбор устройства...",
         .slot = &TMainForm::itemDevicesClick,
         .member = &MainFormUi::itemDevices},

        {Row::Menu, "N1", "Справка"},
        {Row::Item, "ItemAbout", "О программе", nullptr, &TMainForm::itemAboutClick},
        {Row::Item, "ItemHelp", "Помощь", "help", &TMainForm::ItemHelpClick},
        {Row::Item, "ItemDiagram", "Схема подключения", "port", &TMainForm::ItemDiagramClick},
    };

    QMenuBar* bar = form.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* menu = nullptr;
    for (const MenuRow& row : kMenuBar) {
        const QString name = QString::fromLatin1(row.name);
        switch (row.kind) {
        case Row::Menu:
            // The bar shows captions only: a picture there would replace the caption.
            menu = bar->addMenu(QString::fromUtf8(row.caption));
            menu->setObjectName(name);
            menu->setSeparatorsCollapsible(false);
            if (row.slot) {
                menu->setToolTipsVisible(true);
                QObject::connect(menu, &QMenu::aboutToShow, &form, row.slot);
            }
            break;
        case Row::Separator:
            menu->addSeparator()->setObjectName(name);
            break;
        case Row::Item: {
            QAction* item = menu->addAction(QString::fromUtf8(row.caption));
            if (row.glyph)
                item->setIcon(glyphIcon(row.glyph));
            item->setObjectName(name);
            if (row.checkable) {
                item->setCheckable(true);
                item->setChecked(row.checked);
            }
            if (row.member)
                this->*row.member = item;
            if (row.preset) {
                const Preset* preset = findPreset(row.preset);
                QObject::connect(item, &QAction::triggered, &form,
                                 [&form, preset] { form.SpeedButtonPresetClick(*preset); });
            } else {
                QObject::connect(item, &QAction::triggered, &form, row.slot);
            }
            break;
        }
        }
    }
}

namespace {

// A scroll bar inverts its keys to suit a vertical one, so on a horizontal bar Right would lower
// the value. The speed bar's keys go the way its arrows point: right and up are faster.
class SpeedKeys final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto action = actionFor(static_cast<QKeyEvent*>(event)->key());
        if (action == QAbstractSlider::SliderNoAction)
            return false;
        static_cast<QAbstractSlider*>(watched)->triggerAction(action);
        return true;
    }

private:
    static QAbstractSlider::SliderAction actionFor(int key)
    {
        switch (key) {
        case Qt::Key_Right:
        case Qt::Key_Up:
            return QAbstractSlider::SliderSingleStepAdd;
        case Qt::Key_Left:
        case Qt::Key_Down:
            return QAbstractSlider::SliderSingleStepSub;
        case Qt::Key_PageUp:
            return QAbstractSlider::SliderPageStepAdd;
        case Qt::Key_PageDown:
            return QAbstractSlider::SliderPageStepSub;
        default:
            return QAbstractSlider::SliderNoAction;
        }
    }
};

} // namespace

// Tab only, so a mouse user's clicks leave the focus, and with it every pixel, as they were.
void MainFormUi::buildKeyboard(TMainForm& form)
{
    paintBox->setFocusPolicy(Qt::TabFocus);
    scrollBarSpeed->setFocusPolicy(Qt::TabFocus);
    scrollBarSpeed->installEventFilter(new SpeedKeys(scrollBarSpeed));
    new SliderFocusMark(scrollBarSpeed);
    QObject::connect(paintBox, &PaintSurface::keyPressed, &form, &TMainForm::PaintBoxKeyDown);
    QObject::connect(paintBox, &PaintSurface::focusChanged, &form,
                     [&form](bool focused, Qt::FocusReason reason) {
                         focused ? form.PaintBoxEnter(reason) : form.PaintBoxExit();
                     });
    // The window starts with the focus on the grid, where its cell cursor shows it, rather than
    // unseen on the first tool button, where Space would run New.
    paintBox->setFocus(Qt::OtherFocusReason);
}

// Keyboard shortcuts of the window. They belong to the window and not to the menu items, so the
// menus show their captions alone, as they always have.
void MainFormUi::buildShortcuts(TMainForm& form)
{
    struct Shortcut {
        QKeySequence::StandardKey standard; // the desktop's key for the command, if it has one
        QKeySequence fallback;
        std::function<void()> command;
    };
    const Shortcut shortcuts[] = {
        {QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N),
         [&form] { form.SpeedButtonNewClick(); }},
        {QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O),
         [&form] { form.SpeedButtonOpenClick(); }},
        {QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S),
         [&form] { form.SpeedButtonSaveClick(); }},
        {QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [&form] { form.SpeedButtonSaveASClick(); }},
        {QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q),
         [&form] { form.itemCloseClick(); }},
        // Undo is there only while its button is: with no snapshot it would bring back zeros.
        {QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z),
         [this, &form] {
             if (speedButtonUndo->isEnabled())
                 form.SpeedButtonUndoClick();
         }},
        {QKeySequence::UnknownKey, QKeySequence(Qt::Key_F5), [this] { speedButtonPlay->click(); }},
        {QKeySequence::HelpContents, QKeySequence(Qt::Key_F1), [&form] { form.ItemHelpClick(); }},
    };
    for (const Shortcut& entry : shortcuts) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(entry.standard);
        if (keys.isEmpty())
            keys = {entry.fallback};
        auto* shortcut = new QShortcut(&form);
        shortcut->setKeys(keys);
        QObject::connect(shortcut, &QShortcut::activated, &form, entry.command);
    }
}

} // namespace zorvikta
