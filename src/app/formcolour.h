#pragma once

#include "board/boardsession.h"
#include "board/jobs.h"
#include "board/link.h"
#include "board/reports.h"
#include "chart/chartwalk.h"
#include "chart/simulator.h"
#include "editor/cycledocument.h"
#include "editor/cyclehistory.h"
#include "platform/message.h"
#include "store/colourtable.h"

#include <QHash>
#include <QMainWindow>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

class ChartView;
class FormDevice;
class QAction;
class QActionGroup;
class QDockWidget;
class QTableView;
class QFrame;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QPagedPaintDevice;
class QProgressBar;
class QPushButton;
class QSettings;
class QSlider;
class QTimer;
class QToolBar;
class QUndoStack;
class Shape;

namespace cyclefile {
struct LoadedCycle;
} // namespace cyclefile
namespace editor {
class PointsTablePanel;
} // namespace editor

namespace board {
class BoardMenus;
} // namespace board
namespace platform {
class Dialogs;
class SerialPort;
} // namespace platform

// The main window. It holds the form-level state of the program and every
// handler; the handlers are defined in the folder of the subsystem they
// belong to (src/app, src/store, src/editor, src/chart, src/cyclefile,
// src/board), while the plain rules they call live beside them. The board
// link's state is its board session's (boardSession()).
//
// The handlers are public slots, named as the events they answer; the
// controls and the form-level state are private. Tests find the controls by
// objectName and read the cycle from document(), the board link from
// boardSession() and the rest of the state through the accessors below.
class FormColour : public QMainWindow
{
    Q_OBJECT
public:
    // With `settings`, the window starts as the user left it and keeps its
    // settings there; without (the tests' windows), it neither reads nor
    // writes any.
    FormColour(platform::Dialogs &dialogs, platform::SerialPort &port, QSettings *settings = nullptr,
               QWidget *parent = nullptr);
    ~FormColour() override;

    // The cycle in memory: its rows, the number of points, the transition
    // time, the current point, the file and title that name it, and its history.
    editor::CycleDocument &document() { return *m_document; }
    const editor::CycleDocument &document() const { return *m_document; }

    // The form-level state the window shows, for readers outside it.
    bool startupDone() const { return StartupDone; }
    int cursorLeftPoint() const { return CursorLeftPoint; }
    int cursorRightPoint() const { return CursorRightPoint; }
    const QStringList &recentFiles() const { return RecentFiles; }
    // The chart's last layout, in the window's units.
    const chart::View &chartLayout() const { return *ChartLayout; }
    // The playback: running, paused, the clock into the cycle, the speed.
    bool simulatorRunning() const { return SimulatorRunning; }
    bool simulatorPaused() const { return SimulatorPaused; }
    double simulatorClock() const { return SimulatorClock; }
    double simulatorTime() const { return SimulatorTime; }
    qint32 simulatorCycleEnd() const { return SimulatorCycleEnd; }
    float simulatorSpeed() const { return SimulatorSpeed; }
    // A point is being dragged on the chart.
    bool chartDragging() const { return m_chartDrag.has_value(); }
    // Paces the playback against the wall clock (tests give it their clock).
    chart::SimulatorPacer &simulatorPacer() { return SimulatorPacer; }
    // The colour being shown, as the three percent texts.
    QStringList colourTexts() const { return {ColorRed, ColorGreen, ColorBlue}; }
    // A time field's last accepted text and caret: Escape goes back to them.
    std::pair<QString, int> acceptedTime(const QLineEdit *field) const;

    // The menu action of a menu item (submenus included) by its name.
    QAction *menuItem(const QString &name) const { return m_menuItems.value(name); }
    // The toolbar action of a button key.
    QAction *toolbarButton(const QString &key) const { return m_toolbarButtons.value(key); }


    // The language the window speaks, mirrored in mnuConfigLanguage's Tag.
    enum class Language {
        Italian, // "I", the language it starts in
        English, // "E"
    };
    Language language() const { return m_language; }
    bool english() const { return m_language == Language::English; }
    // True when times are shown as "hh:mm:ss".
    bool hmsMode() const;
    // Shows a message in the language in force; returns the button pressed.
    platform::MsgResult say(const platform::BilingualMessage &message);
    // Writes both texts of status-bar panel 1 (or 2) and shows the current one.
    void setFileStatus(const Bilingual &text);

    // ----- Application shell (src/app) -------------------------------------
    void Form_Load();
    void MenuDisable();
    void MenuEnable();
    void Toolbar_ButtonClick(const QString &key);
    void mnuFileExit_Click();
    void TimerMove_Timer();
    void mnuConfigTimeViewer_Click();
    void mnuConfigLanguage_Click();
    void mnuHelpCommentOn_Click();
    void mnuHelpGuide_Click();
    void mnuInfoOrvanta_Click();

    // ----- Settings (src/app/formcolour.cpp) ---------------------------------
    // The folder a file dialog opens in (empty: the current folder), and
    // the folder of a path chosen in it, kept for the next time.
    QString dialogFolder(const QString &dialog) const;
    void rememberFolder(const QString &dialog, const QString &path);

    // ----- Colour-point store (src/editor/formcolour_editor.cpp) ------------
    void DataBaseCommand();
    void DataBaseRead();
    void DataBaseWrite();
    void DataBaseData();
    // The colour of ColorRed, ColorGreen and ColorBlue.
    QColor currentColour() const;

    // ----- Colour-point editing (src/editor) --------------------------------
    // The editor's mode, mirrored in CommandSave's Tag as the letter in the comment.
    enum class EditorMode {
        Browse, // "D": points are stepped through
        Edit,   // "E": the current point is being changed
        Insert, // "I": a new point is being typed
    };
    EditorMode editorMode() const;
    void DataBaseCheck();
    void DataBaseLengthMaxValue();
    void DataBaseTransitionMaxValue();
    void DataBaseShiftValue();
    void DataBaseShift();
    void CommandFirst_Click();
    void CommandPrevious_Click();
    void CommandNext_Click();
    void CommandLast_Click();
    void CommandRemove_Click();
    void CommandInsert_Click();
    void CommandEdit_Click();
    void CommandSave_Click();
    void CommandAnnul_Click();
    void CommandColor_Click();
    void CommandMoveShift_Click();
    void TextPointID_Change();
    bool DataBaseTimeCheck(const QString &timeText);
    void TextTime_Click();
    void TextLength_Click();
    void TextTransition_Click();
    void TextTime_KeyUp(int KeyCode);
    void TextLength_KeyUp(int KeyCode);
    void TextTransition_KeyUp(int KeyCode);
    void TextTime_DblClick();
    void TextLength_DblClick();
    void TextTransition_DblClick();
    void TextRed_Click();
    void TextGreen_Click();
    void TextBlue_Click();
    void TextRed_KeyUp(int KeyCode);
    void TextGreen_KeyUp(int KeyCode);
    void TextBlue_KeyUp(int KeyCode);
    void TextRed_DblClick();
    void TextGreen_DblClick();
    void TextBlue_DblClick();
    void SliderRed_Change();
    void SliderGreen_Change();
    void SliderBlue_Change();
    void SliderRed_MouseDown(Qt::MouseButton button);
    void SliderGreen_MouseDown(Qt::MouseButton button);
    void SliderBlue_MouseDown(Qt::MouseButton button);
    // The point refresh sequence: the current row into the editor, the browse
    // state, the chart, the colour outputs.
    void pointRefresh();
    // ----- The cycle as a document (src/app/formcolour.cpp) ---------------
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();

    // ----- The points table (its panel in src/editor/pointstablepanel.*) ----
    void mnuViewPointsTable_Click();

    // ----- Chart, zoom, cursors and simulator (src/chart) --------------------
    void DataBaseView();
    void DataBaseZoomSetUp();
    void DataBaseZoom();
    void DataBaseCursorSetUp();
    void DataBaseCursor();
    void mnuEnableRGB_Click();
    void mnuEnableColorCycle_Click();
    void mnuEnableSimulator_Click();
    void mnuSimulatorRestart_Click();
    void CommandPause_Click();
    void CommandStop_Click();
    void CommandCursorLeftView_Click();
    void CommandCursorRightView_Click();
    void CommandCursorLeftL_Click();
    void CommandCursorLeftR_Click();
    void CommandCursorRightL_Click();
    void CommandCursorRightR_Click();
    void CommandStart_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelSimulatorSpeed_MouseUp(Qt::MouseButton button, int x, int y);
    void Form_MouseUp(Qt::MouseButton button, int x, int y);
    // The fifteen speed items, by their index in chart::speedItems().
    void mnuSimulatorSpeed_Click(int item);
    // Zoom sliders: move notification while dragging, and mouse release.
    void SliderZoomMin_Scroll();
    void SliderZoomMax_Scroll();
    void SliderZoomMin_MouseUp();
    void SliderZoomMax_MouseUp();
    // The nine time labels: a right-button release inside switches the time display.
    void LabelCursorLeft_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelCursorRight_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelDeltaL_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelDelta_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelDeltaR_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelTime_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelLength_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelTransition_MouseUp(Qt::MouseButton button, int x, int y);
    void LabelSimulatorTime_MouseUp(Qt::MouseButton button, int x, int y);
    void MSChartColorCycle_MouseUp(Qt::MouseButton button, int x, int y);
    // ----- Editing on the chart (src/chart/formcolour_chartedit.cpp) -------
    void chartDragCancel();

private:
    void timeLabelMouseUp(QLabel *label, Qt::MouseButton button, int x, int y);
    void setCursorLabel(QLabel *label, const QString &text, Qt::Alignment alignment);
    void setLabelColour(QLabel *label, const QColor &colour);
    void simulatorStep();
    void simulatorDisplayStep();
    // The playback has gone on to another point: it becomes the point shown.
    void simulatorShowPoint();
    void setCurrentColour(const std::array<double, 3> &rgb);
    void setCurrentColour(const std::array<qint64, 3> &rgb);
    void updateStartPicture();
    bool m_zoomAdjusting = false;
    Language m_language = Language::Italian;
    void setLanguage(Language language);
    // A time field's last accepted text and caret.
    struct TimeBuffer
    {
        QString &text;
        int &caret;
    };
    TimeBuffer timeBuffer(const QLineEdit *field);

public:
    // ----- Cycle files (src/cyclefile) --------------------------------------
    void mnuFileCreate_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileClose_Click();
    void mnuFileDelete_Click();

    // Recent files: the last six cycle files opened or saved, the most recent
    // first, as the File menu lists them (Alt+1 .. Alt+6).
    static constexpr int kRecentFiles = 6;
    void addRecentFile(const QString &path);
    // Opens recent file `item` (1..6) as File Open does; a file no longer
    // there leaves the list with a message.
    void mnuFileRecent_Click(int item);

    // The starting templates, cycle files compiled into the program: New from
    // Template loads one as File Open loads a file, and names no file.
    static constexpr int kTemplates = 5;
    static QString templateResource(int item);
    void mnuFileTemplate_Click(int item);
    // New from Daylight: a cycle computed for a place and a date replaces
    // the one in memory, as a template does.
    void mnuFileDaylight_Click();

    // Export writes the chart as a PNG image, or the cycle sheet (the chart,
    // the table of points, the transition time) as a one-page PDF; Print
    // prints the sheet (src/cyclefile/formcolour_files.cpp).
    void mnuFileExport_Click();
    void mnuFilePrint_Click();
    // The pixel ratio of exported images: the screen's, or 2 on a screen of ratio 1.
    qreal exportRatio() const;
    // The chart as an image at `ratio` times its size on screen; with
    // `cycleAlone`, the curves without the bars and cursors over them (the
    // sheet's chart).
    QImage chartImage(qreal ratio, bool cycleAlone = false) const;

    // ----- Board link (src/board) -------------------------------------------
    // The link, its jobs and their progress; the window is its view.
    board::BoardSession &boardSession() { return *m_board; }
    void mnuUsbOn_Click();
    void mnuUsbEmulatorOn_Click();
    void mnuUsbInterfaceOn_Click();
    void mnuUsbInterfaceOnCycle_Click(int slot);
    void mnuUsbInterfaceOnCommandRd_Click();
    void mnuUsbInterfaceOnCommandWr_Click();
    void mnuUsbInterfaceOnCommandNn_Click();
    void mnuUsbInterfaceOnCommandCl_Click();
    void mnuUsbInterfaceOnCommandEe_Click();
    void mnuUsbInterfaceOnCommandEr_Click();
    void mnuUSBComPortA_Click();
    void mnuUSBComPortM_Click();
    void mnuUSBComPort_Click(int port);
    void mnuInfoBoard_Click();
    void mnuUsbInterfaceOnCommandVf_Click();
    void mnuUsbInterfaceOnBackup_Click();
    void mnuUsbInterfaceOnRestore_Click();
    // Stops a back up or restore before its next slot.
    void mnuUsbInterfaceOnStop_Click();
    // Tests the manual port chosen and says what it found.
    bool USBComPortTest();
    // The window's part of the board jobs: the write's first step puts the
    // cycle in order and gives what is written; a read that passed replaces
    // the cycle in memory; the device information fills its window.
    board::WriteSource USBWrite();
    void USBRead(const board::ReadCycle &BoardReadCycle);
    void USBDevice(const board::DeviceInfo &device);
    // The caption of slot item k as the board named it (the menu text has
    // any "&" doubled).
    QString slotCaption(int slot) const;

private:
    QAction *boardItem(const char *name) const;
    // The window's side of the link switched off, by the user or by itself.
    void showBoardOff();
    // A command confirmed when the session can take it (and, before a
    // read, unsaved changes dealt with).
    bool confirmBoardJob(board::Job job, const char *english, const char *italian);
    // Starts a job through `arm`, the editor locked and the menus off while it runs.
    void startBoardJob(board::Job job, const std::function<bool()> &arm);
    void boardJobFinished(board::Job job, int slot, bool success, const platform::BilingualMessage &message);
    char slotDigit() const;
    // The refresh after a board transfer, and the redraw after a rename.
    void refreshAfterBoardWrite();
    void refreshAfterBoardRead();
    void redrawColourCycle();
    board::BoardMenus *m_boardMenus = nullptr;

private:
    // ----- The window's own steps, called by its handlers -----------------
    // Connects a menu item to its handler. A checkable item's check mark stays
    // under the handler's control: the handler sees the state the user saw
    // when clicking and sets the mark itself.
    void onMenu(const QString &name, std::function<void()> handler);
    void onMenu(const char *name, void (FormColour::*handler)())
    {
        onMenu(QString::fromLatin1(name), [this, handler] { (this->*handler)(); });
    }
    void setUsbStatus(const Bilingual &text);
    void showStatus();

    // Application shell (src/app):
    // Writes the captions of the caption table: as designed while the window
    // is built, afterwards in the language in force.
    void applyCaptions(bool designed);
    // Shows the comments (tool tips) in the language in force, or empties them.
    void showComments(bool on);
    // Opens the first menu of the menu bar that is enabled (F10).
    void openFirstMenu();

    // Settings (src/app/formcolour.cpp):
    // Every setting is read in loadSettings, at start-up, and written in
    // saveSettings, when the program ends; a setting without a value (the
    // first start) leaves the window as it starts.
    void loadSettings();
    void saveSettings();

    // Colour-point editing (src/editor):
    void setEditorMode(EditorMode mode);
    // A whole cycle has come in (a file opened, a slot read): checked, shown
    // from point 1 with zoom and cursors set up anew, the editor switched on.
    void showLoadedCycle();
    void enterEditorState();
    // The six value fields as they look confirmed.
    void showConfirmedLook();
    // The editor's eleven buttons, navigation to colour.
    QList<QPushButton *> editorButtons() const;
    void setPointFieldsEnabled(bool editing);
    bool crossFieldGuard(QLineEdit *field);
    void timeFieldClick(QLineEdit *field);
    // A time field takes the keyboard with the caret where typing begins, as
    // when reached with Tab.
    void focusAtEntry(QLineEdit *field);
    void placeEntryCaret(QLineEdit *field);
    void timeFieldKey(QLineEdit *field, int keyCode);
    void timeFieldConfirm(QLineEdit *field);
    void colourFieldConfirm(QLineEdit *field, QString &colour);
    void sliderChanged(QSlider *slider, QString &colour);

    // The cycle as a document (src/app/formcolour.cpp):
    // Puts a cycle back and shows it through the editor's refresh.
    void restoreCycleState(const editor::CycleState &state);
    // Shows the cycle a step of the history has put back into the document.
    void showRestoredCycle(bool wholeCycle);
    // Asked before a command drops unsaved changes: true when it may go on.
    bool confirmDropChanges();
    // Undo and Redo are available: no point being edited, no board job, the
    // simulator at rest.
    bool historyAllowed() const;
    void updateHistoryActions();
    void updateWindowTitle();
    // The editor, the transition time and the colour sliders while a board job runs.
    void setEditorLocked(bool locked);

    // The points table (its panel in src/editor/pointstablepanel.*):
    // The table reads the store again and selects the current point.
    void refreshPointsTable();
    // Only whether the table takes edits and moves the editor: the rows are
    // read again when the chart is drawn.
    void showPointsTableAccess();
    // The table moves the editor and takes edits: the colour-cycle function
    // on, and the cycle free to change.
    bool pointsTableAllowed() const;
    void pointsTableSelect(int point);
    // A cell edited in the table, validated as the editor's field is.
    void pointsTableEdit(int point, int column, const QString &text);
    void pointsTablePaste();

    // Chart, zoom, cursors and simulator (src/chart):
    void zoomSliderReleased(QSlider *slider);
    // Zoom sliders spanning points 1 to `last`.
    void showWholeCycle(int last);

    // Editing on the chart (src/chart/formcolour_chartedit.cpp):
    // Points may be picked, dragged and nudged: the colour-cycle function
    // on, no point being edited, no board job, the simulator at rest.
    bool chartEditAllowed() const;
    // The point and channel whose curve passes within reach of a pixel.
    std::optional<std::pair<int, int>> chartPointAt(const QPointF &pos) const;
    // The time of the cycle at a pixel x of the chart, in whole seconds.
    qint64 chartTimeAt(double x) const;
    void chartDragStart(int point, int channel, const QPointF &pressed);
    // With `oneAxis` (Shift held), only the time or only the level follows
    // the pointer: the one it has moved further on since the press.
    void chartDragMove(const QPointF &pos, bool oneAxis = false);
    void chartDragEnd();
    // Shift+Left/Right and Up/Down on the chart: one second, one percent;
    // Ctrl+Shift+Left/Right: a minute.
    void chartNudge(qint64 seconds, int percent);
    // The wheel over the chart: `steps` up narrows the zoom window around
    // the point under the pointer, down widens it.
    void chartWheel(double x, int steps);
    bool chartWheelZooms() const;
    // The playback moved to the instant `clock`.
    void simulatorScrub(double clock);
    bool chartEditEvent(QObject *watched, QEvent *event);
    void connectChartEdit();

    // Cycle files (src/cyclefile):
    // File Open's work after its dialog: reads the file at `path` and, when
    // the whole of it passed, shows its cycle and names the file. False when
    // the file was refused (its report shown; nothing changed).
    bool openCycleFile(const QString &path);
    // A cycle read whole becomes the store and is shown from point 1.
    void takeCycle(const cyclefile::LoadedCycle &cycle);
    void showRecentFiles();
    // The PNG file's or the PDF file's bytes.
    QByteArray chartPng() const;
    QByteArray sheetPdf();
    // Draws the cycle sheet on one page of `device`.
    void renderCycleSheet(QPagedPaintDevice &device);
    // Save as mnuFileSave_Click runs it; `confirmed` leaves out its question
    // (the user has already said Yes to saving). Declined: the question, the
    // dialog or the overwrite answered No or cancelled; Failed: an error it
    // reported. Only Written means the cycle is in its file.
    enum class SaveResult { Written, Declined, Failed };
    SaveResult saveCycle(bool confirmed = false);
    // Writes the cycle into `path` and names it after the file, for the steps
    // of the history that hold it too; a failure drops the file name.
    bool saveInto(const QString &path);
    // After a failed or cancelled save: no file holds the cycle any more
    // (panel 1 says so, the title keeps its name, the cycle counts as unsaved).
    void dropFileName();
    // True when `path` is the file the cycle in memory comes from.
    bool isCycleFile(const QString &path) const;
    // Save's and Save As's first step: point 1 current, the store checked, the window refreshed.
    void consolidateForSave();
    // FileName and panel 1 name the file at `path`.
    void nameFile(const QString &path);
    // FileName is "" and panel 1 says there is no file.
    void showNoFile();
    // Panel 1 and the title show what names the cycle in the document.
    void showSource();
    // The empty cycle: one blank point, TransitionTime 0.
    void emptyStore();
    // Writes the cycle (or, with `templateOnly`, the empty template) over the
    // file at `path`; a failure is reported and gives false.
    bool writeCycleFile(const QString &path, bool templateOnly = false);

Q_SIGNALS:
    // Exit has unloaded the window: the program ends.
    void programEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Closing the window asks Exit's question; Cancel keeps it open.
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window (src/app/formcolour_ui.cpp).
    void buildMenus();
    void buildToolbar();
    void buildCentral();
    void buildStatusBar();
    void connectShell();
    // Menu items and submenus get their captions from the caption table.
    QAction *addItem(QMenu *menu, const char *name, const QKeySequence &shortcut = {});
    QMenu *addSubMenu(QMenu *menu, const char *name);
    QPushButton *makeButton(const char *name, const QString &icon);
    QLabel *makeLabel(const char *name, const QString &caption);
    QLineEdit *makeField(const char *name);
    QLabel *makePicture(const char *name, const QString &icon);
    void endProgram();
    // Exit's question: true when the program is to end (No, or Yes with the
    // cycle then saved).
    bool exitConfirmed();

    // Each subsystem wires its own controls and filters its own events; they
    // are called once by the constructor, after the controls exist.
    void connectEditor();
    void connectChart();
    void connectSimulator();
    void connectFiles();
    void connectBoard();
    void connectHistory();
    void buildPointsTable();
    void connectPointsTable();
    bool editorEvent(QObject *watched, QEvent *event);
    bool chartEvent(QObject *watched, QEvent *event);

    // The board half and the simulator half of the timer tick.
    void TimerMoveBoard();
    void TimerMoveSimulator();

    // The cycle's document, its rows through table().
    editor::CycleDocument *m_document = nullptr;
    editor::CycleDocument &doc() const { return *m_document; }
    store::ColourTable &table() const { return m_document->table(); }

    platform::Dialogs &m_dialogs;
    board::BoardSession *m_board = nullptr; // a child
    QSettings *m_settings = nullptr;
    QHash<QString, QString> m_dialogFolders;
    bool m_ending = false; // Exit has decided: the window closes without asking again

private:
    // ----- Form-level state ------------------------------------------------
    QString ColorRed = QStringLiteral("000");
    QString ColorGreen = QStringLiteral("000");
    QString ColorBlue = QStringLiteral("000");
    QString TimeText;
    QString LengthText;
    QString TransitionText;
    int TimeCaret = 0;
    int LengthCaret = 0;
    int TransitionCaret = 0;
    qint64 ShiftRangeMin = 0;
    qint64 ShiftRangeMax = 0;
    QString LengthMaxValue;
    QString TransitionMaxValue;
    int CursorLeftPoint = 1;
    quint8 CursorRightPoint = 2;
    bool StartupDone = false;
    bool SimulatorRunning = false;
    bool SimulatorPaused = false;
    // Seconds into the current point's span, in double precision so that long
    // holds keep time.
    double SimulatorTime = 0;
    qint32 SimulatorCycleEnd = 0;
    double SimulatorClock = 0;
    float SimulatorSpeed = 1.0f;
    QString FileStatusEnglish = QStringLiteral("File: None");
    QString FileStatusItalian = QStringLiteral("File: Nessuno");
    QString UsbStatusEnglish = QStringLiteral("No USB Board Enabled");
    QString UsbStatusItalian = QStringLiteral("Nessuna Scheda USB Abilitata");
    // The application's help file setting.
    QString HelpFile;
    // The editor's own bookkeeping of events (src/editor).
    QLineEdit *editorDblClickField = nullptr; // its next mouse release is no click
    bool editorSliderSync = false;            // the sliders follow the colour being set
    bool editorSliderRightPress = false;      // a colour slider's right press toggled the RGB function

    // The points table.
    editor::PointsTablePanel *PointsTable = nullptr;
    // Paces the playback against the wall clock (tests give it their clock).
    chart::SimulatorPacer SimulatorPacer;
    // A point being dragged: which, the channel whose level follows the
    // pointer, and the cycle before the drag (Escape puts it back).
    struct ChartDrag
    {
        int point = 1;
        int channel = 0;
        editor::CycleState before;
        QPointF grab;    // from the pointer to the point when it was pressed
        QPointF pressed; // where the pointer was pressed
    };
    std::optional<ChartDrag> m_chartDrag;
    // The channel of the last point picked: Up and Down change its level.
    int m_chartChannel = 0;
    bool m_simulatorScrubbing = false;
    int m_chartWheelPending = 0; // wheel turns short of a notch
    // The time and level next to the pointer during a drag.
    QLabel *ChartDragTip = nullptr;
    // The last redraw, in the window's units.
    std::unique_ptr<chart::View> ChartLayout = std::make_unique<chart::View>();

    QStringList RecentFiles;
    // The device information window while it is open.
    QPointer<FormDevice> m_formDevice;

    // ----- Controls, named as their objectName ------------------------------
    // Tests find the controls by objectName as a user finds them by sight.
    QTimer *TimerMove = nullptr;
    // The window's controls, inside the scroll area that is the central widget.
    QWidget *FormColourCentral = nullptr;
    QToolBar *Toolbar = nullptr;
    QProgressBar *ProgressBarWait = nullptr;
    QLabel *StatusBarPanel1 = nullptr;
    QLabel *StatusBarPanel2 = nullptr;
    QLabel *StatusBarPanel3 = nullptr; // the link's mode and slot
    QLabel *StatusBarPanel4 = nullptr; // the last board job's result
    ChartView *MSChartColorCycle = nullptr;

    // Editor
    QLineEdit *TextPointID = nullptr;
    QLineEdit *TextTime = nullptr;
    QLineEdit *TextLength = nullptr;
    QLineEdit *TextTransition = nullptr;
    QLineEdit *TextRed = nullptr;
    QLineEdit *TextGreen = nullptr;
    QLineEdit *TextBlue = nullptr;
    QLabel *LabelPointID = nullptr;
    QLabel *LabelTime = nullptr;
    QLabel *LabelTimeName = nullptr;
    QLabel *LabelLength = nullptr;
    QLabel *LabelLengthName = nullptr;
    QLabel *LabelTransition = nullptr;
    QLabel *LabelTransitionName = nullptr;
    QLabel *LabelRed = nullptr;
    QLabel *LabelGreen = nullptr;
    QLabel *LabelBlue = nullptr;
    QLabel *LabelRange = nullptr;
    QPushButton *CommandFirst = nullptr;
    QPushButton *CommandPrevious = nullptr;
    QPushButton *CommandNext = nullptr;
    QPushButton *CommandLast = nullptr;
    QPushButton *CommandRemove = nullptr;
    QPushButton *CommandInsert = nullptr;
    QPushButton *CommandEdit = nullptr;
    QPushButton *CommandMoveShift = nullptr;
    QPushButton *CommandSave = nullptr;
    QPushButton *CommandAnnul = nullptr;
    QPushButton *CommandColor = nullptr;
    QSlider *SliderRed = nullptr;
    QSlider *SliderGreen = nullptr;
    QSlider *SliderBlue = nullptr;
    Shape *ShapeColorCycle = nullptr;
    Shape *ShapeTransition = nullptr;
    Shape *ShapeRed = nullptr;
    Shape *ShapeGreen = nullptr;
    Shape *ShapeBlue = nullptr;

    // Chart, zoom and cursors
    QSlider *SliderZoomMin = nullptr;
    QSlider *SliderZoomMax = nullptr;
    QPushButton *CommandCursorLeftView = nullptr;
    QPushButton *CommandCursorLeftL = nullptr;
    QPushButton *CommandCursorLeftR = nullptr;
    QPushButton *CommandCursorRightView = nullptr;
    QPushButton *CommandCursorRightL = nullptr;
    QPushButton *CommandCursorRightR = nullptr;
    QLabel *LabelCursorLeft = nullptr;
    QLabel *LabelCursorRight = nullptr;
    QLabel *LabelDeltaL = nullptr;
    QLabel *LabelDelta = nullptr;
    QLabel *LabelDeltaR = nullptr;
    // Overlays of the chart (owned by MSChartColorCycle).
    QFrame *CommandCursorSelected = nullptr;
    QFrame *PictureSelected = nullptr;
    QFrame *CommandCursorLeft = nullptr;
    QFrame *CommandCursorRight = nullptr;
    QFrame *CommandCursorSimulator = nullptr;

    // Simulator
    Shape *ShapeSimulator = nullptr;
    Shape *ShapeColor = nullptr;
    QPushButton *CommandStart = nullptr;
    QPushButton *CommandPause = nullptr;
    QPushButton *CommandStop = nullptr;
    QLabel *LabelSimulatorTime = nullptr;
    QLabel *LabelSimulatorSpeed = nullptr;

    // Invisible image holders
    QLabel *PictureSaveIns = nullptr;
    QLabel *PictureMoveEn = nullptr;
    QLabel *PictureMoveDs = nullptr;
    QLabel *PictureShiftEn = nullptr;
    QLabel *PictureShiftDs = nullptr;
    QLabel *PictureStartEn = nullptr;
    QLabel *PictureStartDs = nullptr;
    QLabel *PictureStartAEn = nullptr;
    QLabel *PictureStartADs = nullptr;

    // Menu items by name; every menu item is also reachable through menuItem().
    QAction *mnuFile = nullptr;
    QAction *mnuEdit = nullptr;
    QAction *mnuView = nullptr;
    QAction *mnuUSB = nullptr;
    QAction *mnuEnable = nullptr;
    QAction *mnuConfig = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuInfo = nullptr;
    QAction *mnuConfigTimeViewer = nullptr;
    QAction *mnuConfigLanguage = nullptr;
    QAction *mnuEnableRGB = nullptr;
    QAction *mnuEnableColorCycle = nullptr;
    QAction *mnuEnableSimulator = nullptr;
    QAction *mnuUsbEmulatorOn = nullptr;
    QMenu *mnuUSBMenu = nullptr;
    QMenu *mnuSimulatorConfigurationMenu = nullptr;


    QHash<QString, QAction *> m_menuItems;
    // The eight slot items of the USB menu.
    QActionGroup *m_slotItems = nullptr;
    QHash<QString, QAction *> m_toolbarButtons;
};
