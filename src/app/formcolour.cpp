// The main window's start-up, menu gating, toolbar dispatch, Exit and the
// prologue of the timer tick; the settings kept between runs; undo, redo and
// the title that shows the document's name and modified state.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/qttranslation.h"
#include "app/tags.h"
#include "board/boardmenus.h"
#include "chart/chartview.h"
#include "editor/pointstablepanel.h"
#include "editor/cyclehistory.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include "app/shape.h"

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

FormColour::FormColour(platform::Dialogs &dialogs, platform::SerialPort &port, QSettings *settings, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_board(new board::BoardSession(port, this))
    , m_settings(settings)
{
    setObjectName(QStringLiteral("FormColour"));
    m_document = new editor::CycleDocument(this);
    m_document->setObjectName(QStringLiteral("CycleDocument"));
    setWindowTitle(QStringLiteral("Orvanta[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvanta.png")));
    buildMenus();
    buildToolbar();
    buildCentral();
    buildStatusBar();
    buildPointsTable();
    applyCaptions(true);
    // Small enough for a small screen at a high scale (the controls then
    // scroll); opened at 1280 x 800 or as much of the screen as there is.
    setMinimumSize(640, 400);
    const QSize room = screen() ? screen()->availableGeometry().size() - QSize(16, 48) : QSize(1280, 800);
    resize(QSize(1280, 800).boundedTo(room).expandedTo(minimumSize()));

    TimerMove = new QTimer(this);
    TimerMove->setObjectName(QStringLiteral("TimerMove"));
    TimerMove->setTimerType(Qt::PreciseTimer);
    TimerMove->setInterval(50);

    connectShell();
    connectEditor();
    connectChart();
    connectSimulator();
    connectFiles();
    connectBoard();
    connectHistory();
    connectPointsTable();
    connectChartEdit();

    Form_Load();
    loadSettings();
    TimerMove->start();
}

FormColour::~FormColour()
{
    // The history empties itself and the dock hides as they go; the window is
    // no longer there to show either.
    doc().history()->disconnect(this);
    doc().disconnect(this);
    if (PointsTable)
        PointsTable->disconnect(this);
}

void FormColour::setLanguage(Language language)
{
    m_language = language;
    setTag(mnuConfigLanguage, language == Language::English ? QStringLiteral("E") : QStringLiteral("I"));
}

bool FormColour::hmsMode() const { return hasTag(mnuConfigTimeViewer, u"H"); }

MsgResult FormColour::say(const platform::BilingualMessage &message)
{
    return m_dialogs.message(message.in(english()));
}

void FormColour::setFileStatus(const Bilingual &text)
{
    FileStatusEnglish = text.english;
    FileStatusItalian = text.italian;
    showStatus();
}

void FormColour::setUsbStatus(const Bilingual &text)
{
    UsbStatusEnglish = text.english;
    UsbStatusItalian = text.italian;
    showStatus();
}

void FormColour::showStatus()
{
    StatusBarPanel1->setText(english() ? FileStatusEnglish : FileStatusItalian);
    StatusBarPanel2->setText(english() ? UsbStatusEnglish : UsbStatusItalian);
    m_boardMenus->showPanels();
}

void FormColour::onMenu(const QString &name, std::function<void()> handler)
{
    QAction *action = menuItem(name);
    Q_ASSERT_X(action, "FormColour::onMenu", qPrintable(name));
    connect(action, &QAction::triggered, this, [action, handler = std::move(handler)] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        handler();
    });
}

void FormColour::connectShell()
{
    connect(TimerMove, &QTimer::timeout, this, &FormColour::TimerMove_Timer);
    onMenu("mnuFileExit", &FormColour::mnuFileExit_Click);
    onMenu("mnuConfigTimeViewer", &FormColour::mnuConfigTimeViewer_Click);
    onMenu("mnuConfigLanguage", &FormColour::mnuConfigLanguage_Click);
    onMenu("mnuHelpCommentOn", &FormColour::mnuHelpCommentOn_Click);
    onMenu("mnuHelpGuide", &FormColour::mnuHelpGuide_Click);
    onMenu("mnuInfoOrvanta", &FormColour::mnuInfoOrvanta_Click);
}

void FormColour::Form_Load()
{
    // 1. The store: 64 rows with the blank first point.
    doc().empty();

    // 2. The editor's colour.
    ColorRed = ColorGreen = ColorBlue = QStringLiteral("000");
    DataBaseData();

    // 3. Simulator and board state.
    SimulatorRunning = false;
    SimulatorPaused = false;
    SimulatorSpeed = 1.0f;
    StartupDone = false;

    // 4. The start-up progress.
    ProgressBarWait->setMaximum(3);
    ProgressBarWait->setMinimum(0);
    ProgressBarWait->setValue(0);
    ProgressBarWait->setVisible(true);
    setTag(ProgressBarWait, QStringLiteral("S"));
    // The toolbar waits for the menus: a board command started before the
    // start-up progress has ended would replace the progress and stop the
    // timer's work for good.
    Toolbar->setEnabled(false);

    // 5. Zoom sliders.
    SliderZoomMin->setRange(1, 2);
    SliderZoomMin->setValue(1);
    SliderZoomMax->setRange(1, 2);
    SliderZoomMax->setValue(2);

    // 6. The grey look of the colour-cycle editor.
    const QColor grey(128, 128, 128);
    for (QLabel *l : {LabelTime, LabelTimeName, LabelLength, LabelLengthName, LabelTransition, LabelTransitionName,
                      LabelRed, LabelGreen, LabelBlue}) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, grey);
        l->setPalette(pal);
    }
    for (Shape *s : {ShapeTransition, ShapeColorCycle, ShapeRed, ShapeGreen, ShapeBlue, ShapeSimulator})
        s->setBorderColor(grey);

    // 7. The table.
    doc().setPointCount(1);
    doc().setPointCurrent(1);

    // 8. Editor tags.
    setEditorMode(EditorMode::Browse);
    for (QLineEdit *f : {TextTime, TextLength, TextTransition}) {
        setTag(f, QStringLiteral("U"));
        f->setText(QStringLiteral("00000"));
    }
    for (QLineEdit *f : {TextRed, TextGreen, TextBlue})
        setTag(f, QStringLiteral("U"));

    // 9. Consolidate and show the first point.
    doc().setTransitionTime(0);
    DataBaseCheck();
    table().MoveFirst();
    DataBaseRead();

    // 10. The editor's buttons start disabled, and its value fields are in
    // browse mode; the transition field waits for the colour-cycle function.
    for (QPushButton *b : editorButtons())
        b->setEnabled(false);
    setPointFieldsEnabled(false);
    TextTransition->setEnabled(false);
    setTag(CommandMoveShift, QStringLiteral("M"));

    // 11.
    LabelPointID->setEnabled(false);
    LabelPointID->setText(QString());
    LabelRange->hide();

    // 12. Status bar.
    doc().setSource({});
    setFileStatus({QStringLiteral("File: None"), QStringLiteral("File: Nessuno")});
    setUsbStatus({QStringLiteral("No USB Board Enabled"), QStringLiteral("Nessuna Scheda USB Abilitata")});

    // 13. The chart starts with one row "0" of zeros and the Italian columns.
    MSChartColorCycle->showStartGrid();

    // 14. Times shown as hh:mm:ss.
    setTag(mnuConfigTimeViewer, QStringLiteral("S"));
    mnuConfigTimeViewer_Click();

    // 15. Italian, Qt's own texts too.
    setLanguage(Language::Italian);
    toolbarButton(QStringLiteral("Language"))
        ->setToolTip(captions::find("ToolbarLanguage", captions::Role::ToolTip)->text(false));
    qttranslation::follow(false);
    showStatus();

    // 16.
    HelpFile = captions::helpFile(false);

    // 17.
    TimeText = TextTime->text();
    LengthText = TextLength->text();
    TransitionText = TextTransition->text();
}

void FormColour::MenuDisable()
{
    for (QAction *menu : {mnuFile, mnuEdit, mnuEnable, mnuUSB, mnuConfig, mnuInfo, mnuView})
        menu->setEnabled(false);
    Toolbar->setEnabled(false);
    updateHistoryActions();
}

void FormColour::MenuEnable()
{
    for (QAction *menu : {mnuFile, mnuEdit, mnuEnable, mnuUSB, mnuConfig, mnuInfo, mnuView})
        menu->setEnabled(true);
    Toolbar->setEnabled(true);
    updateHistoryActions();
}

void FormColour::Toolbar_ButtonClick(const QString &key)
{
    using Handler = void (FormColour::*)();
    static const std::pair<QStringView, Handler> plain[] = {
        {u"Create", &FormColour::mnuFileCreate_Click},
        {u"Open", &FormColour::mnuFileOpen_Click},
        {u"Save", &FormColour::mnuFileSave_Click},
        {u"SaveAs", &FormColour::mnuFileSaveAs_Click},
        {u"Close", &FormColour::mnuFileClose_Click},
        {u"Delete", &FormColour::mnuFileDelete_Click},
        {u"USBOn", &FormColour::mnuUsbOn_Click},
        {u"USBEm", &FormColour::mnuUsbEmulatorOn_Click},
        {u"USBIn", &FormColour::mnuUsbInterfaceOn_Click},
        {u"Read", &FormColour::mnuUsbInterfaceOnCommandRd_Click},
        {u"Write", &FormColour::mnuUsbInterfaceOnCommandWr_Click},
        {u"Rename", &FormColour::mnuUsbInterfaceOnCommandNn_Click},
        {u"Stop", &FormColour::mnuUsbInterfaceOnStop_Click},
        {u"Undo", &FormColour::mnuEditUndo_Click},
        {u"Redo", &FormColour::mnuEditRedo_Click},
        {u"Language", &FormColour::mnuConfigLanguage_Click},
        {u"Exit", &FormColour::mnuFileExit_Click},
    };
    for (const auto &[name, handler] : plain) {
        if (key == name) {
            (this->*handler)();
            return;
        }
    }
    for (int slot = 1; slot <= 8; ++slot) {
        if (key == QStringLiteral("Cycle%1").arg(slot)) {
            mnuUsbInterfaceOnCycle_Click(slot);
            return;
        }
    }
}

void FormColour::mnuFileExit_Click()
{
    if (exitConfirmed())
        endProgram();
}

bool FormColour::exitConfirmed()
{
    const platform::BilingualMessage question = platform::choice(
        {QStringLiteral("Before to exit,") + kLineBreak + QStringLiteral("Would you like to save the selected File?"),
         QStringLiteral("Prima di Uscire,") + kLineBreak + QStringLiteral("Desideri salvare il File selezionato?")});
    switch (say(question)) {
    // The program ends only once the cycle is in its file: a declined or
    // failed save keeps it open, so the cycle is not lost.
    case MsgResult::Yes: return saveCycle() == SaveResult::Written;
    case MsgResult::No: return true;
    default: return false;
    }
}

void FormColour::endProgram()
{
    saveSettings();
    m_ending = true;
    TimerMove->stop();
    close();
    Q_EMIT programEnded();
}

void FormColour::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    // The close button asks as Exit does; Cancel (or a failed save) keeps
    // the window.
    if (!exitConfirmed()) {
        event->ignore();
        return;
    }
    saveSettings();
    m_ending = true;
    TimerMove->stop();
    event->accept();
    Q_EMIT programEnded();
}

void FormColour::TimerMove_Timer()
{
    // Prologue: menus come back on at every idle tick while the simulator rests.
    if (hasTag(ProgressBarWait, u"H") && !SimulatorRunning)
        MenuEnable();
    // The start-up progress; afterwards the bar is the board's.
    if (!StartupDone) {
        if (ProgressBarWait->value() < ProgressBarWait->maximum()) {
            ProgressBarWait->setValue(ProgressBarWait->value() + 1);
        } else {
            setTag(ProgressBarWait, QStringLiteral("H"));
            ProgressBarWait->setVisible(false);
            StartupDone = true;
        }
    }
    if (!StartupDone)
        return;
    TimerMoveBoard();
    TimerMoveSimulator();
}

bool FormColour::eventFilter(QObject *watched, QEvent *event)
{
    if (editorEvent(watched, event))
        return true;
    if (chartEditEvent(watched, event))
        return true;
    if (chartEvent(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// -------------------------------------------------------------------------------------
// The settings the program keeps from one run to the next: read once at
// start-up and written once when the program ends, each in one function
// below, so that a new setting is one line in each.

namespace {

// Whether a window geometry saved on another day fits one of today's
// screens whole (a screen unplugged or a lower resolution since then).
bool fitsAScreen(const QByteArray &geometry)
{
    QWidget probe;
    if (!probe.restoreGeometry(geometry))
        return false;
    const QRect window = probe.geometry();
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect available = screen->availableGeometry();
        if (probe.isMaximized() ? available.contains(window.center()) : available.contains(window))
            return true;
    }
    return false;
}

QString portItem(int port) { return QStringLiteral("mnuUSBComPort%1").arg(port); }

} // namespace

void FormColour::loadSettings()
{
    if (!m_settings)
        return;
    QSettings &s = *m_settings;

    if (s.value(u"language").toString() == u"en" && !english())
        mnuConfigLanguage_Click();
    if (s.value(u"timeDisplay").toString() == u"seconds" && hmsMode())
        mnuConfigTimeViewer_Click();
    if (s.value(u"comments", false).toBool() && !menuItem(QStringLiteral("mnuHelpCommentOn"))->isChecked())
        mnuHelpCommentOn_Click();

    const QByteArray geometry = s.value(u"window/geometry").toByteArray();
    if (!geometry.isEmpty() && fitsAScreen(geometry)) {
        restoreGeometry(geometry);
        restoreState(s.value(u"window/state").toByteArray());
    }

    RecentFiles = s.value(u"recentFiles").toStringList().mid(0, kRecentFiles);
    showRecentFiles();

    s.beginGroup(u"folders");
    for (const QString &dialog : s.childKeys())
        m_dialogFolders.insert(dialog, s.value(dialog).toString());
    s.endGroup();

    // The manual port is taken as it was chosen, without opening it now:
    // switching the board on tries it.
    if (s.value(u"board/portMode").toString() == u"manual")
        mnuUSBComPortM_Click();
    const int port = s.value(u"board/port", 0).toInt();
    if (port >= 1 && port <= 16) {
        m_board->setPortNumber(port);
        menuItem(portItem(port))->setChecked(true);
    }
    menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->setChecked(s.value(u"board/verify", true).toBool());
}

void FormColour::saveSettings()
{
    if (!m_settings)
        return;
    QSettings &s = *m_settings;

    s.setValue(u"language", english() ? QStringLiteral("en") : QStringLiteral("it"));
    s.setValue(u"timeDisplay", hmsMode() ? QStringLiteral("hms") : QStringLiteral("seconds"));
    s.setValue(u"comments", menuItem(QStringLiteral("mnuHelpCommentOn"))->isChecked());

    s.setValue(u"window/geometry", saveGeometry());
    s.setValue(u"window/state", saveState());

    s.setValue(u"recentFiles", RecentFiles);
    for (auto it = m_dialogFolders.cbegin(); it != m_dialogFolders.cend(); ++it)
        s.setValue(QStringLiteral("folders/") + it.key(), it.value());

    const bool manual = m_board->portChoice() == board::PortChoice::Manual;
    s.setValue(u"board/portMode", manual ? QStringLiteral("manual") : QStringLiteral("automatic"));
    s.setValue(u"board/port", m_board->portNumber());
    s.setValue(u"board/verify", menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->isChecked());

    s.sync();
}

QString FormColour::dialogFolder(const QString &dialog) const { return m_dialogFolders.value(dialog); }

void FormColour::rememberFolder(const QString &dialog, const QString &path)
{
    m_dialogFolders.insert(dialog, QFileInfo(path).absolutePath());
}

// -------------------------------------------------------------------------------------
// The cycle in memory as a document: its history of changes with undo and
// redo, the modified state the window title shows, the question asked before
// a command drops unsaved changes, and the editor's lock while a board job runs.

using editor::CycleState;

void FormColour::connectHistory()
{
    QUndoStack *history = doc().history();
    connect(history, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(history, &QUndoStack::indexChanged, this, [this] { updateHistoryActions(); });
    // A step undone or redone has put a cycle back into the document.
    connect(m_document, &editor::CycleDocument::stepRestored, this, &FormColour::showRestoredCycle);
    onMenu("mnuEditUndo", &FormColour::mnuEditUndo_Click);
    onMenu("mnuEditRedo", &FormColour::mnuEditRedo_Click);

    // Escape gives up an Insert or Edit in progress, as Annul does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("ShortcutEscape"));
    connect(escape, &QShortcut::activated, this, [this] {
        if (editorMode() != EditorMode::Browse && CommandAnnul->isEnabled() && ShapeColorCycle->isEnabled()) {
            CommandAnnul_Click();
        } else if (hasTag(TextTransition, u"C") && ShapeTransition->isEnabled()) {
            // A transition time half typed goes back to the one in force.
            setTag(TextTransition, QStringLiteral("U"));
            showConfirmedLook();
            pointRefresh();
        }
    });
    updateWindowTitle();
    updateHistoryActions();
}

void FormColour::restoreCycleState(const CycleState &state)
{
    doc().restore(state);
    showRestoredCycle(state.source.has_value());
}

void FormColour::showRestoredCycle(bool wholeCycle)
{
    const int current = doc().pointCurrent();
    if (wholeCycle) {
        showSource();
        // A whole cycle has come back: shown as one that comes in, zoom and
        // cursors set up anew.
        doc().setPointCurrent(1);
        showLoadedCycle();
    } else if (!mnuEnableColorCycle->isChecked()) {
        mnuEnableColorCycle_Click();
    }
    doc().setPointCurrent(std::clamp(current, 1, doc().pointCount()));
    table().moveTo(doc().pointCurrent());
    pointRefresh();
}

bool FormColour::confirmDropChanges()
{
    if (!doc().isModified())
        return true;
    switch (say(editor::unsavedChangesQuestion())) {
    // Only a cycle that the save has really written lets the command go on.
    // Yes is the confirmation: Save does not ask again.
    case platform::MsgResult::Yes: return saveCycle(true) == SaveResult::Written;
    case platform::MsgResult::No: return true;
    default: return false;
    }
}

bool FormColour::historyAllowed() const
{
    return StartupDone && editorMode() == EditorMode::Browse && !hasTag(ProgressBarWait, u"M") && !SimulatorRunning;
}

void FormColour::mnuEditUndo_Click()
{
    if (historyAllowed() && doc().history()->canUndo())
        doc().history()->undo();
}

void FormColour::mnuEditRedo_Click()
{
    if (historyAllowed() && doc().history()->canRedo())
        doc().history()->redo();
}

namespace {

const Bilingual *labelAt(const QUndoStack &stack, int index)
{
    const auto *command = dynamic_cast<const editor::CycleCommand *>(stack.command(index));
    return command ? &command->label() : nullptr;
}

} // namespace

void FormColour::updateHistoryActions()
{
    const bool allowed = historyAllowed();
    const bool inEnglish = english();
    const int index = doc().history()->index();
    const struct
    {
        QAction *item;
        QAction *button;
        bool available;
        Bilingual text;
    } actions[] = {
        {menuItem(QStringLiteral("mnuEditUndo")), toolbarButton(QStringLiteral("Undo")), doc().history()->canUndo(),
         editor::undoText(doc().history()->canUndo() ? labelAt(*doc().history(), index - 1) : nullptr)},
        {menuItem(QStringLiteral("mnuEditRedo")), toolbarButton(QStringLiteral("Redo")), doc().history()->canRedo(),
         editor::redoText(doc().history()->canRedo() ? labelAt(*doc().history(), index) : nullptr)},
    };
    for (const auto &a : actions) {
        a.item->setEnabled(allowed && a.available);
        a.item->setText(a.text.pick(inEnglish));
        a.button->setEnabled(allowed && a.available);
    }
    // The points table changes the cycle only when the history may.
    showPointsTableAccess();
}

void FormColour::updateWindowTitle()
{
    const QString &name = doc().source().title.pick(english());
    setWindowTitle(name.isEmpty() ? QStringLiteral("Orvanta[*]") : QStringLiteral("Orvanta - %1[*]").arg(name));
}

void FormColour::setEditorLocked(bool locked)
{
    // The panels, not their controls: each control keeps its own state and
    // shows it again when the panel comes back.
    for (Shape *panel : {ShapeColorCycle, ShapeTransition, ShapeRed, ShapeGreen, ShapeBlue})
        panel->setEnabled(!locked);
    updateHistoryActions();
}
