// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QScrollBar;
class QTimer;
class QToolButton;
class QWidget;

namespace zorvikta {

class PaintSurface;
class PortWarningGate;
class StatusPanels;
class TMainForm;
class UpDown;

// The main window's controls, made, laid out and connected by setupUi as Qt's generated Ui::
// classes do it; the handlers read and write them through these pointers. The window owns them.
class MainFormUi {
public:
    void setupUi(TMainForm& form);

    QToolButton* speedButtonSave = nullptr;
    QToolButton* speedButtonUndo = nullptr;
    QToolButton* speedButtonDelete = nullptr;
    QToolButton* speedButtonInsert = nullptr;
    QToolButton* speedButtonPlay = nullptr;
    UpDown* upDownCh = nullptr;
    UpDown* upDownLeng = nullptr;
    QLabel* labelCh = nullptr;
    QLabel* labelLeng = nullptr;
    QLabel* labelStep = nullptr;
    QLabel* labelSpeed = nullptr;
    QLabel* labelScroll = nullptr;
    QCheckBox* checkBoxToBox = nullptr;
    QScrollBar* scrollBarSpeed = nullptr;
    QScrollBar* scrollBarArea = nullptr;
    PaintSurface* paintBoxRun = nullptr;
    PaintSurface* paintBox = nullptr;
    StatusPanels* statusBar = nullptr;
    PortWarningGate* portWarnings = nullptr;
    QAction* itemCom1 = nullptr;
    QAction* itemCom2 = nullptr;
    QAction* itemDevices = nullptr;
    QTimer* timerRun = nullptr;
    QTimer* timerStatus = nullptr;

private:
    void buildWindow(TMainForm& form);
    QWidget* buildToolBar(TMainForm& form);
    QWidget* buildSettingsPanel(TMainForm& form);
    void buildPresetButtons(TMainForm& form, QWidget* panel);
    void buildMenu(TMainForm& form);
    void buildKeyboard(TMainForm& form);
    void buildShortcuts(TMainForm& form);
};

} // namespace zorvikta
