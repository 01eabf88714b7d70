// The main window's start-up, menu gating, toolbar dispatch, Exit and the
// prologue of the timer tick.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/qttranslation.h"
#include "app/shape.h"
#include "app/tags.h"
#include "board/boardmenus.h"
#include "chart/chartview.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

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

bool FormColour::english() const { return hasTag(mnuConfigLanguage, u"E"); }

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
    setTag(mnuConfigLanguage, QStringLiteral("I"));
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
