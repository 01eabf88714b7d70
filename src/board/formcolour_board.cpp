// The board link: the window's side of the port choice, switching the board
// on and off, the board half of the timer tick, the two modes, the slot and
// command items and the board jobs. The rules are in link.h and jobs.h; the
// handlers read the menu checks and the progress bar, call the rule, write the
// results back and show the messages.

#include "app/formcolour.h"

#include "app/tags.h"
#include "board/formdevice.h"
#include "board/frame.h"
#include "board/jobs.h"
#include "board/link.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "store/numbers.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const Bilingual kWarning{QStringLiteral("Warning"), QStringLiteral("Attenzione")};

BilingualMessage confirmation(const char *english, const char *italian, MsgIcon icon = MsgIcon::Question,
                              const Bilingual &title = kWarning)
{
    return BilingualMessage{
        {QString::fromUtf8(english), QString::fromUtf8(italian)}, title, icon, MsgButtons::YesNo, MsgResult::No};
}

QString itemName(const char *prefix, int n) { return QString::fromLatin1(prefix) + QString::number(n); }

} // namespace

// ----- Wiring ---------------------------------------------------------------------

void FormColour::connectBoard()
{
    onMenu("mnuUSBComPortA", &FormColour::mnuUSBComPortA_Click);
    onMenu("mnuUSBComPortM", &FormColour::mnuUSBComPortM_Click);
    for (int n = 1; n <= 16; ++n)
        onMenu(itemName("mnuUSBComPort", n), [this, n] { mnuUSBComPort_Click(n); });
    // Each port item names the device it stands for, as it is when the list opens.
    QMenu *ports = findChild<QMenu *>(QStringLiteral("mnuUSBComPortS"));
    auto showDevices = [this] {
        for (int n = 1; n <= 16; ++n) {
            const QString path = m_port.portDevice(n);
            menuItem(itemName("mnuUSBComPort", n))->setToolTip(path.isEmpty() ? QStringLiteral("-") : path);
        }
    };
    showDevices();
    connect(ports, &QMenu::aboutToShow, this, showDevices);
    ports->setToolTipsVisible(true);

    onMenu("mnuUsbOn", &FormColour::mnuUsbOn_Click);
    onMenu("mnuUsbEmulatorOn", &FormColour::mnuUsbEmulatorOn_Click);
    onMenu("mnuUsbInterfaceOn", &FormColour::mnuUsbInterfaceOn_Click);
    for (int k = 1; k <= 8; ++k)
        onMenu(itemName("mnuUsbInterfaceOnCycle", k), [this, k] { mnuUsbInterfaceOnCycle_Click(k); });
    onMenu("mnuUsbInterfaceOnCommandRd", &FormColour::mnuUsbInterfaceOnCommandRd_Click);
    onMenu("mnuUsbInterfaceOnCommandWr", &FormColour::mnuUsbInterfaceOnCommandWr_Click);
    onMenu("mnuUsbInterfaceOnCommandNn", &FormColour::mnuUsbInterfaceOnCommandNn_Click);
    onMenu("mnuUsbInterfaceOnCommandCl", &FormColour::mnuUsbInterfaceOnCommandCl_Click);
    onMenu("mnuUsbInterfaceOnCommandEe", &FormColour::mnuUsbInterfaceOnCommandEe_Click);
    onMenu("mnuUsbInterfaceOnCommandEr", &FormColour::mnuUsbInterfaceOnCommandEr_Click);
    // Checked while its job runs.
    boardItem("mnuInfoBoard")->setCheckable(true);
    onMenu("mnuInfoBoard", &FormColour::mnuInfoBoard_Click);

    // The buttons of the board show their state pressed; those of the modes,
    // the slots and the commands wait for the board to be switched on.
    for (const char *key : {"USBOn", "USBEm", "USBIn", "Cycle1", "Cycle2", "Cycle3", "Cycle4", "Cycle5", "Cycle6",
                            "Cycle7", "Cycle8"})
        toolbarButton(QString::fromLatin1(key))->setCheckable(true);
    for (const char *key : {"USBEm", "USBIn", "Cycle1", "Cycle2", "Cycle3", "Cycle4", "Cycle5", "Cycle6", "Cycle7",
                            "Cycle8", "Read", "Write", "Rename"})
        toolbarButton(QString::fromLatin1(key))->setEnabled(false);
}

QAction *FormColour::boardItem(const char *name) const { return menuItem(QString::fromLatin1(name)); }

void FormColour::setButton(const char *key, std::optional<bool> pressed, std::optional<bool> enabled)
{
    QAction *button = toolbarButton(QString::fromLatin1(key));
    if (pressed)
        button->setChecked(*pressed);
    if (enabled)
        button->setEnabled(*enabled);
}

void FormColour::setSlotButtons(std::optional<bool> pressed, std::optional<bool> enabled)
{
    for (int k = 1; k <= 8; ++k)
        setButton(QStringLiteral("Cycle%1").arg(k).toLatin1().constData(), pressed, enabled);
}

QString FormColour::slotCaption(int slot) const
{
    return menuItem(itemName("mnuUsbInterfaceOnCycle", slot))->property("Caption").toString();
}

void FormColour::setSlotCaption(int slot, const QByteArray &name)
{
    // A name is whatever bytes the board holds: shown as they are, an "&"
    // included, never as a mnemonic.
    const QString caption = QString::fromLatin1(name);
    QAction *item = menuItem(itemName("mnuUsbInterfaceOnCycle", slot));
    item->setProperty("Caption", caption);
    item->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
}

void FormColour::startProgress(int maximum, int value, const QString &tagText)
{
    ProgressBarWait->setMaximum(maximum);
    ProgressBarWait->setMinimum(0);
    ProgressBarWait->setValue(value);
    setTag(ProgressBarWait, tagText);
}

void FormColour::endProgress()
{
    ProgressBarWait->setVisible(false);
    setTag(ProgressBarWait, QStringLiteral("H"));
    setEditorLocked(false);
}

// ----- Port choice ----------------------------------------------------------------

void FormColour::mnuUSBComPortA_Click()
{
    ComPortManual = false;
    boardItem("mnuUSBComPortA")->setChecked(true);
    boardItem("mnuUSBComPortM")->setChecked(false);
    boardItem("mnuUSBComPortS")->setEnabled(false);
}

void FormColour::mnuUSBComPortM_Click()
{
    ComPortManual = true;
    boardItem("mnuUSBComPortA")->setChecked(false);
    boardItem("mnuUSBComPortM")->setChecked(true);
    boardItem("mnuUSBComPortS")->setEnabled(true);
}

void FormColour::mnuUSBComPort_Click(int port)
{
    const quint8 remembered = ComPortNumber;
    ComPortNumber = quint8(port);
    if (USBComPortTest()) {
        for (int n = 1; n <= 16; ++n)
            menuItem(itemName("mnuUSBComPort", n))->setChecked(n == port);
    } else {
        ComPortNumber = remembered;
    }
}

bool FormColour::USBComPortTest()
{
    if (ComPortNumber > 16)
        ComPortNumber = 0;
    const board::PortTestResult result = board::USBComPortTest(ComPortNumber, m_openPortNumber, m_port);
    say(result.message);
    return result.found;
}

// ----- Switching the board on and off ---------------------------------------------

void FormColour::mnuUsbOn_Click()
{
    // Nothing of the board starts before the start-up progress has ended
    // (a shortcut can come that early).
    if (!StartupDone)
        return;
    MenuDisable();
    QAction *usbOn = boardItem("mnuUsbOn");
    QAction *interfaceOn = boardItem("mnuUsbInterfaceOn");
    if (!usbOn->isChecked()) {
        usbOn->setChecked(true);
        mnuUsbEmulatorOn->setEnabled(true);
        mnuUsbEmulatorOn->setChecked(true);
        interfaceOn->setEnabled(true);
        interfaceOn->setChecked(false);
        for (const char *name : {"mnuUsbInterfaceOnCycle", "mnuUsbInterfaceOnCommand", "mnuUSBComPort"})
            boardItem(name)->setEnabled(false);
        boardItem("mnuInfoBoard")->setEnabled(true);
        startProgress(17, 1, QStringLiteral("P"));
        setButton("USBOn", true);
        setButton("USBEm", true, true);
        setButton("USBIn", false, true);
    } else {
        usbOn->setChecked(false);
        for (QAction *mode : {mnuUsbEmulatorOn, interfaceOn}) {
            mode->setChecked(false);
            mode->setEnabled(false);
        }
        for (const char *name : {"mnuUsbInterfaceOnCycle", "mnuUsbInterfaceOnCommand"})
            boardItem(name)->setEnabled(false);
        boardItem("mnuUSBComPort")->setEnabled(true);
        boardItem("mnuInfoBoard")->setEnabled(false);
        // A job armed but not yet started must not run when the board comes back.
        for (const char *name : {"mnuUsbInterfaceOnCommandRd", "mnuUsbInterfaceOnCommandWr",
                                 "mnuUsbInterfaceOnCommandNn", "mnuUsbInterfaceOnCommandCl",
                                 "mnuUsbInterfaceOnCommandEr", "mnuInfoBoard"})
            boardItem(name)->setChecked(false);
        setButton("USBOn", false);
        setButton("USBEm", false, false);
        setButton("USBIn", false, false);
        setSlotButtons(false, false);
        for (const char *key : {"Read", "Write", "Rename"})
            setButton(key, std::nullopt, false);
        startProgress(50, 0, QStringLiteral("S"));
        ProgressBarWait->setVisible(true);
        mnuUSB->setEnabled(false);
    }
    DataBaseData();
}

// ----- The board half of the timer tick ----------------------------------------------

void FormColour::TimerMoveBoard()
{
    if (!boardItem("mnuUsbOn")->isChecked())
        boardOff();
    else if (!BoardOnline)
        boardConnect();
    else
        boardSupervise();
}

void FormColour::boardOff()
{
    if (m_port.isOpen())
        m_port.close();
    m_openPortNumber = 0;
    BoardOnline = false;
    if (!ComPortManual)
        UsbState = 0;
    if (UsbStatusEnglish != board::offlineStatus().english)
        setUsbStatus(board::offlineStatus());
}

void FormColour::boardConnect()
{
    if (ComPortManual) {
        if (ComPortNumber >= 1 && ComPortNumber <= 16 && m_port.open(ComPortNumber)) {
            m_openPortNumber = ComPortNumber;
            BoardOnline = true;
            setUsbStatus(board::onlineStatus(ComPortNumber));
            setTag(ProgressBarWait, QStringLiteral("H"));
        } else {
            say(board::manualConnectFailedMessage());
            mnuUsbOn_Click();
            BoardOnline = false;
            setTag(ProgressBarWait, QStringLiteral("H"));
        }
        return;
    }

    ProgressBarWait->setVisible(true);
    board::ScanState scan{UsbState, UsbRetry, UsbTick, ProgressBarWait->value()};
    const board::ScanOutcome outcome = board::scanStep(scan, m_port);
    UsbState = scan.usbState;
    UsbRetry = scan.usbRetry;
    UsbTick = scan.usbTick;
    ProgressBarWait->setValue(std::min(scan.port, ProgressBarWait->maximum()));
    switch (outcome) {
    case board::ScanOutcome::Searching: break;
    case board::ScanOutcome::Found:
        m_openPortNumber = scan.port;
        BoardOnline = true;
        setUsbStatus(board::onlineStatus(scan.port));
        endProgress();
        break;
    case board::ScanOutcome::GaveUp:
        endProgress();
        say(board::noBoardMessage());
        mnuUsbOn_Click();
        break;
    }
}

void FormColour::boardSupervise()
{
    const board::LinkMode mode = board::linkMode(mnuUsbEmulatorOn->isChecked(),
                                                 boardItem("mnuUsbInterfaceOn")->isChecked());
    if (UsbState == 0) {
        EmulatorActive = mode == board::LinkMode::Emulator;
        InterfaceActive = mode == board::LinkMode::Interface;
    }
    board::LinkMode active = board::LinkMode::None;
    if (EmulatorActive)
        active = board::LinkMode::Emulator;
    else if (InterfaceActive)
        active = board::LinkMode::Interface;

    bool jobPending = false;
    if (active == board::LinkMode::Emulator)
        jobPending = boardItem("mnuInfoBoard")->isChecked();
    else if (active == board::LinkMode::Interface)
        jobPending = !SlotNamesLoaded || pendingJob() != nullptr;

    const std::array<int, 3> colour{int(std::clamp<qint64>(store::toNumber(EmulatorRed), 0, 255)),
                                    int(std::clamp<qint64>(store::toNumber(EmulatorGreen), 0, 255)),
                                    int(std::clamp<qint64>(store::toNumber(EmulatorBlue), 0, 255))};
    switch (board::supervisionStep(UsbState, active, jobPending, colour, m_port)) {
    case board::SupervisionOutcome::Continue: break;
    case board::SupervisionOutcome::RunJob: runPendingJob(active); break;
    case board::SupervisionOutcome::Disconnected:
        say(board::disconnectedMessage());
        mnuUsbOn_Click();
        break;
    }
}

// The jobs in the order step 0 looks for them.
const FormColour::BoardJobEntry *FormColour::pendingJob() const
{
    static const BoardJobEntry jobs[] = {
        {"mnuUsbInterfaceOnCommandCl", &FormColour::USBClean}, {"mnuUsbInterfaceOnCommandEr", &FormColour::USBErase},
        {"mnuUsbInterfaceOnCommandRd", &FormColour::USBRead},  {"mnuUsbInterfaceOnCommandNn", &FormColour::USBRename},
        {"mnuUsbInterfaceOnCommandWr", &FormColour::USBWrite}, {"mnuInfoBoard", &FormColour::USBDevice},
    };
    for (const BoardJobEntry &job : jobs) {
        if (boardItem(job.item)->isChecked())
            return &job;
    }
    return nullptr;
}

void FormColour::runPendingJob(board::LinkMode mode)
{
    if (mode == board::LinkMode::Emulator) {
        QAction *info = boardItem("mnuInfoBoard");
        info->setChecked(USBDevice());
        return;
    }
    if (!SlotNamesLoaded) {
        SlotNamesLoaded = USBText();
        return;
    }
    if (const BoardJobEntry *job = pendingJob()) {
        QAction *item = boardItem(job->item);
        item->setChecked((this->*job->run)());
    }
}

// ----- Board jobs -----------------------------------------------------------------

bool FormColour::applyJobTick(const board::JobTick &t)
{
    ProgressBarWait->setValue(t.value);
    if (t.captionSlot >= 1 && t.captionSlot <= 8)
        setSlotCaption(t.captionSlot, t.caption);
    if (t.device && m_formDevice)
        m_formDevice->showDevice(*t.device);
    if (!t.ended)
        return true;
    endProgress();
    if (t.failure)
        say(*t.failure);
    return false;
}

char FormColour::slotDigit() const { return UsbCycleSlot.isEmpty() ? '0' : UsbCycleSlot.at(0).toLatin1(); }

bool FormColour::USBDevice() { return applyJobTick(board::USBDevice(ProgressBarWait->value(), m_port)); }

bool FormColour::USBText() { return !applyJobTick(board::USBText(ProgressBarWait->value(), m_port)); }

bool FormColour::USBClean() { return applyJobTick(board::USBClean(ProgressBarWait->value(), slotDigit(), m_port)); }

bool FormColour::USBRename()
{
    const bool goesOn =
        applyJobTick(board::USBRename(ProgressBarWait->value(), slotDigit(), UsbRenameText.toLatin1(), m_port));
    if (!goesOn)
        redrawColourCycle();
    return goesOn;
}

bool FormColour::USBErase()
{
    const board::JobTick t = board::USBErase(ProgressBarWait->value(), UsbEraseCount, m_port);
    if (t.erased) {
        for (int k = 1; k <= 8; ++k) {
            setSlotCaption(k, QStringLiteral("Cycle%1  ").arg(k).toLatin1());
            menuItem(itemName("mnuUsbInterfaceOnCycle", k))->setChecked(false);
        }
        boardItem("mnuUsbInterfaceOnCommand")->setEnabled(false);
    }
    return applyJobTick(t);
}

bool FormColour::USBWrite()
{
    const board::WriteSource source{&table(), PointCount, store::toNumber(TransitionTime)};
    const board::JobTick t = board::USBWrite(ProgressBarWait->value(), slotDigit(), source, m_port);
    if (t.prepareWrite) {
        PointCurrent = 1;
        DataBaseCheck();
        table().MoveFirst();
        DataBaseRead();
        DataBaseCommand();
    }
    const bool goesOn = applyJobTick(t);
    if (!goesOn)
        refreshAfterBoardWrite();
    return goesOn;
}

bool FormColour::USBRead()
{
    const board::JobTick t = board::USBRead(ProgressBarWait->value(), slotDigit(), BoardReadCycle, m_port);
    // The cycle read goes into the store only when the whole read has passed.
    std::optional<editor::CycleState> before;
    if (t.ended && t.success) {
        before = cycleState(true);
        for (int r = 1; r <= store::kRowCount; ++r)
            table().row(r) = BoardReadCycle.table.row(r);
        PointCount = quint8(BoardReadCycle.pointCount);
        TransitionTime = store::format00000(BoardReadCycle.transitionTime);
        TextTransition->setText(store::timeText(store::toNumber(TransitionTime), hmsMode()));
    }
    const bool goesOn = applyJobTick(t);
    if (!goesOn)
        refreshAfterBoardRead();
    if (before) {
        // The cycle on screen is the slot's now, no file's: Save asks for a name.
        showNoFile();
        const QString name = slotCaption(slotDigit() - '0').trimmed();
        CycleTitle = {QStringLiteral("slot %1 \"%2\"").arg(slotDigit()).arg(name),
                      QStringLiteral("settore %1 \"%2\"").arg(slotDigit()).arg(name)};
        updateWindowTitle();
        recordCycleChange(*before, editor::readLabel(slotDigit() - '0'));
    }
    return goesOn;
}

void FormColour::redrawColourCycle()
{
    // Switched on and off again: the function stays off and the window is redrawn.
    if (!mnuEnableColorCycle->isChecked()) {
        mnuEnableColorCycle_Click();
        mnuEnableColorCycle_Click();
    }
}

void FormColour::refreshAfterBoardWrite()
{
    PointCurrent = 1;
    DataBaseCheck();
    table().MoveFirst();
    DataBaseRead();
    DataBaseCommand();
    DataBaseZoom();
    DataBaseCursor();
    DataBaseView();
    DataBaseData(); // the sliders and the board follow point 1 too
    redrawColourCycle();
}

void FormColour::refreshAfterBoardRead()
{
    PointCurrent = 1;
    showLoadedCycle();
}

// ----- Modes --------------------------------------------------------------------

void FormColour::mnuUsbEmulatorOn_Click()
{
    MenuDisable();
    if (mnuUsbEmulatorOn->isChecked()) {
        setButton("USBEm", true);
        return;
    }
    mnuUsbEmulatorOn->setChecked(true);
    boardItem("mnuUsbInterfaceOn")->setChecked(false);
    boardItem("mnuUsbInterfaceOnCycle")->setEnabled(false);
    boardItem("mnuUsbInterfaceOnCommand")->setEnabled(false);
    DataBaseData();
    startProgress(50, 0, QStringLiteral("S"));
    ProgressBarWait->setVisible(true);
    setButton("USBEm", true);
    setButton("USBIn", false);
    setSlotButtons(false, false);
    for (const char *key : {"Read", "Write", "Rename"})
        setButton(key, std::nullopt, false);
}

void FormColour::mnuUsbInterfaceOn_Click()
{
    MenuDisable();
    QAction *interfaceOn = boardItem("mnuUsbInterfaceOn");
    if (interfaceOn->isChecked()) {
        setButton("USBIn", true);
        return;
    }
    mnuUsbEmulatorOn->setChecked(false);
    SlotNamesLoaded = false;
    interfaceOn->setChecked(true);
    boardItem("mnuUsbInterfaceOnCycle")->setEnabled(true);
    startProgress(board::kTextFailure, 0, QStringLiteral("M"));
    ProgressBarWait->setVisible(true);
    for (int k = 1; k <= 8; ++k)
        menuItem(itemName("mnuUsbInterfaceOnCycle", k))->setChecked(false);
    boardItem("mnuUsbInterfaceOnCommandEe")->setChecked(false);
    boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
    setButton("USBEm", false);
    setButton("USBIn", true);
    setSlotButtons(std::nullopt, true);
}

// ----- Slots and commands -------------------------------------------------------------

void FormColour::mnuUsbInterfaceOnCycle_Click(int slot)
{
    QAction *item = menuItem(itemName("mnuUsbInterfaceOnCycle", slot));
    QAction *commands = boardItem("mnuUsbInterfaceOnCommand");
    const QByteArray key = "Cycle" + QByteArray::number(slot);
    if (!item->isChecked()) {
        for (int k = 1; k <= 8; ++k) {
            menuItem(itemName("mnuUsbInterfaceOnCycle", k))->setChecked(k == slot);
            setButton(QByteArray("Cycle" + QByteArray::number(k)).constData(), k == slot);
        }
        UsbCycleSlot = QString::number(slot);
        setButton("Read", std::nullopt, true);
        // Slot 1 can only be read, from the toolbar.
        const bool writable = slot != 1;
        commands->setEnabled(writable);
        setButton("Write", std::nullopt, writable);
        setButton("Rename", std::nullopt, writable);
    } else {
        item->setChecked(false);
        commands->setEnabled(false);
        boardItem("mnuUsbInterfaceOnCommandEe")->setChecked(false);
        boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
        UsbCycleSlot = QStringLiteral("0");
        setButton(key.constData(), false);
        for (const char *button : {"Read", "Write", "Rename"})
            setButton(button, std::nullopt, false);
    }
}

bool FormColour::boardCommandAvailable() const
{
    // A command reaches the board only in interface mode with a slot chosen
    // and no job under way, whatever way it was asked for (menu, shortcut or
    // toolbar).
    return BoardOnline && boardItem("mnuUsbInterfaceOn")->isChecked() && UsbCycleSlot != QStringLiteral("0")
           && !hasTag(ProgressBarWait, u"M");
}

void FormColour::disarmEraseAll()
{
    boardItem("mnuUsbInterfaceOnCommandEe")->setChecked(false);
    boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
}

void FormColour::startBoardJob(const char *item, int failureStep)
{
    // A transfer replaces what the editor shows: a point being edited or
    // inserted is given up first, so the editor is in browse mode with the rest.
    if (!hasTag(CommandSave, u"D")
        && (qstrcmp(item, "mnuUsbInterfaceOnCommandRd") == 0 || qstrcmp(item, "mnuUsbInterfaceOnCommandWr") == 0))
        CommandAnnul_Click();
    startProgress(failureStep, 0, QStringLiteral("M"));
    ProgressBarWait->setVisible(true);
    boardItem(item)->setChecked(true);
    // Nothing of the cycle can be changed while the job runs.
    setEditorLocked(true);
    // No other command may start while this one runs; the menus come back
    // at the first idle tick after it.
    MenuDisable();
}

void FormColour::mnuUsbInterfaceOnCommandRd_Click()
{
    if (boardCommandAvailable() && confirmDropChanges()
        && say(confirmation("Read Color Cycle! Confirm?", "Leggere il Ciclo Colore! Confermi?")) == MsgResult::Yes)
        startBoardJob("mnuUsbInterfaceOnCommandRd", board::kReadFailure);
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandWr_Click()
{
    if (boardCommandAvailable() && UsbCycleSlot != QStringLiteral("1")
        && say(confirmation("Write Color Cycle! Confirm?", "Scrivere il Ciclo Colore! Confermi?")) == MsgResult::Yes)
        startBoardJob("mnuUsbInterfaceOnCommandWr", board::kWriteFailure);
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandNn_Click()
{
    if (boardCommandAvailable() && UsbCycleSlot != QStringLiteral("1")) {
        MenuDisable();
        if (say(confirmation("Rename Color Cycle! Confirm?", "Rinomina il Ciclo Colore! Confermi?")) == MsgResult::Yes) {
            const std::optional<QString> answer =
                english() ? m_dialogs.input(QStringLiteral("New Name: Eight AlphaNumeric Characters Max"),
                                            QStringLiteral("New Name Function"), QString())
                          : m_dialogs.input(QStringLiteral("Nuovo Nome: Lunghezza massima di otto caratteri AlfaNumerici"),
                                            QStringLiteral("Funzione Rinomina"), QString());
            const board::RenameCheck check = board::checkRenameText(answer.value_or(QString()));
            if (check.refusal) {
                say(*check.refusal);
            } else if (check.name) {
                UsbRenameText = QString::fromLatin1(*check.name);
                startBoardJob("mnuUsbInterfaceOnCommandNn", board::kRenameFailure);
            }
        }
    }
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandCl_Click()
{
    if (boardCommandAvailable() && UsbCycleSlot != QStringLiteral("1")
        && say(confirmation("Clean the Colour Cycle! Confirm?", "Cancella il Ciclo Colore! Confermi?"))
               == MsgResult::Yes)
        startBoardJob("mnuUsbInterfaceOnCommandCl", board::kCleanFailure);
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandEe_Click()
{
    QAction *guard = boardItem("mnuUsbInterfaceOnCommandEe");
    const bool arm = !guard->isChecked();
    guard->setChecked(arm);
    boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(arm);
}

void FormColour::mnuUsbInterfaceOnCommandEr_Click()
{
    if (!boardCommandAvailable() || !boardItem("mnuUsbInterfaceOnCommandEe")->isChecked())
        return;
    if (say(confirmation("Erase ALL Board Memory! Confirm?", "Cancella TUTTA la memoria della Scheda USB! Confirm?",
                         MsgIcon::Exclamation, {QStringLiteral("Warning"), QStringLiteral("Warning")}))
        != MsgResult::Yes)
        return; // the guard stays armed
    startBoardJob("mnuUsbInterfaceOnCommandEr", board::kEraseFailure);
    disarmEraseAll();
}

void FormColour::mnuInfoBoard_Click()
{
    if (!BoardOnline || hasTag(ProgressBarWait, u"M"))
        return;
    if (m_formDevice)
        m_formDevice->close();
    startProgress(board::kDeviceFailure, 0, QStringLiteral("M"));
    ProgressBarWait->setVisible(true);
    boardItem("mnuInfoBoard")->setChecked(true);
    MenuDisable();
    m_formDevice = new FormDevice(english(), this);
    m_formDevice->adjustSize();
    m_formDevice->move(mapToGlobal(rect().center()) - m_formDevice->rect().center());
    m_formDevice->show();
    m_formDevice->raise();
    m_formDevice->activateWindow();
}
