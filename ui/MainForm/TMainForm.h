// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Cursor.h"
#include "model/RandomDraw.h"
#include "model/RunRecord.h"
#include "storage/SettingsFile.h"
#include "ui/CellCursor.h"
#include "ui/GridGeometry.h"
#include "ui/MainForm/MainFormServices.h"
#include "ui/MainForm/MainFormUi.h"

#include <QMainWindow>

namespace zorvikta {

class StatusPanels;
class TAboutForm;
class TDigrForm;
class THelpForm;
struct Preset;
struct LinkError;

// The program's one working window. It owns the pattern record, its undo copy, the cursor
// variables and the random state; its handlers frame the model's operations.
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(MainFormServices services, QWidget* parent = nullptr);
    ~TMainForm() override;

    RunRecord& runRecord() { return m_runRecord; }
    const RunRecord& undoRecord() const { return m_undoRecord; }
    Cursor& cursor() { return m_cursor; }
    const QString& currentFileName() const { return m_saveFileName; }
    const QString& openFileName() const { return m_openFileName; }
    GridView gridView() const;
    StatusPanels* statusPanels() const { return m_ui.statusBar; }

    // The caption's start, which names the program whatever the file.
    static QString programCaption();

    // The three windows of the help menu, created by the program entry after this one.
    void setHelpWindows(TAboutForm* about, THelpForm* help, TDigrForm* diagram);

public slots:
    // Start-up, repaint and the value controls.
    void PaintAll();
    void StatusBarHelp(const QString& text);
    void TimerStatusTimer();
    void UpDownChClick();
    void UpDownLengClick();
    void ScrollBarSpeedChange();
    void ScrollBarAreaChange();
    void itemCloseClick();
    // The close of a stop signal: no save prompt and no box; the settings are still written.
    void closeWithoutAsking();

    // Undo.
    void ToUndo();
    void SpeedButtonUndoClick();

    // The grid.
    void PaintSymbol();
    void PaintBoxMouseDown(Qt::MouseButton button, int x, int y);
    void PaintBoxMouseMove(int x, int y);
    void PaintBoxMouseUp();
    void PaintBoxMouse(int mode, int x, int y);
    void PaintBoxDblClick();

    // The grid from the keyboard: a cell cursor, shown while the grid has the focus, which it
    // has from the start.
    void PaintBoxKeyDown(Qt::Key key);
    void PaintBoxEnter(Qt::FocusReason reason);
    void PaintBoxExit();

    // The emulator strip.
    void PaintRun(std::uint8_t stepByte);
    void TimerRunTimer();
    void SpeedButtonPlayClick();
    void ItemPlayClick();
    void ItemStopClick();

    // Documents.
    void SpeedButtonNewClick();
    void SpeedButtonOpenClick();
    void SpeedButtonSaveClick();
    void SpeedButtonSaveASClick();
    bool SaveRunFile();
    void ReadIniFile();
    bool SaveIniFile();

    // The device.
    void SpeedButtonTxClick();
    void SpeedToDevice();
    void itemCom1Click();
    void itemCom2Click();
    void itemDevicesClick();

    // Whole-pattern commands and presets.
    void SpeedButtonClearAllClick();
    void SpeedButtonFillAllClick();
    void SpeedButtonInversClick();
    void SpeedButtonDeleteClick();
    void SpeedButtonInsertClick();
    void SpeedButtonSplashClick();
    void SpeedButtonRotateChClick();
    void SpeedButtonPresetClick(const zorvikta::Preset& preset);
    void SpeedButtonNabor();

    // The help menu.
    void itemAboutClick();
    void ItemHelpClick();
    void ItemDiagramClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The controls' set-up connects them to the handlers, private ones included.
    friend class MainFormUi;

    enum class LoadOutcome { Loaded, Missing, Failed };

    void FormCreate();
    void Custom();
    LoadOutcome LoadRunFile();
    void openRunFile(const QString& fileName);
    void setCaption();
    void setRunInterval(int speed);
    void paintPlayStep();
    void prepareForSave();
    bool runSavePrompt();
    bool sendToDevice(const QByteArray& message);
    void reportLinkFailure(const LinkError& error);
    void showPortNotice();
    void clearPortNotice();
    QString currentDeviceName() const;
    SettingsFile settingsFile() const;
    bool writeSettings(SettingsKeys keys);
    void showPortHints();

    void moveCellCursor(CellCursor cursor);
    void fitStepBarRange();
    void hoverCell(const GridHit& hit);

    MainFormServices m_services;

    // The program's state.
    RunRecord m_runRecord{};
    RunRecord m_undoRecord{};
    Cursor m_cursor;
    RandomDraw m_random;
    QString m_openFileName;
    QString m_saveFileName;
    QString m_unreadLastFile; // the file start-up found but could not read
    PortDevices m_devices;
    bool m_closingWithoutAsking = false;
    bool m_askingOnClose = false; // the close's save prompt stands open
    CellCursor m_cellCursor;
    QString m_markPanelBeforePortFailure; // panel 2 as it was before the port notice covered it

    MainFormUi m_ui;

    TAboutForm* m_aboutForm = nullptr;
    THelpForm* m_helpForm = nullptr;
    TDigrForm* m_digrForm = nullptr;
};

} // namespace zorvikta
