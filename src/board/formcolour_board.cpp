// The board link: the window's side of the port choice, switching the board
// on and off, the board half of the timer tick, the two modes, the slot and
// command items and the board jobs, with verify after write, back up and
// restore. The rules are in link.h, jobs.h and backup.h, the texts in
// reports.h; the handlers read the menu checks and the progress bar, call the
// rule, write the results back and show the messages. The toolbar's board
// buttons and status panels 3 and 4 are derived from the menu at every tick
// (syncBoardControls), so they cannot disagree with it.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/tags.h"
#include "board/backup.h"
#include "board/formdevice.h"
#include "board/frame.h"
#include "board/jobs.h"
#include "board/link.h"
#include "board/reports.h"
#include "cyclefile/cyclefile.h"
#include "cyclefile/filewrite.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "store/numbers.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
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


BilingualMessage confirmation(const char *english, const char *italian, MsgIcon icon = MsgIcon::Question,
                              const Bilingual &title = platform::warningTitle())
{
    return BilingualMessage{
        {QString::fromUtf8(english), QString::fromUtf8(italian)}, title, icon, MsgButtons::YesNo, MsgResult::No};
}

QString itemName(const char *prefix, int n) { return QString::fromLatin1(prefix) + QString::number(n); }

// A slot's name as shown in a line of text: without its padding.
QString shownName(const QString &caption)
{
    QString name = caption;
    while (name.endsWith(u' '))
        name.chop(1);
    return name;
}

} // namespace

// ----- Wiring ---------------------------------------------------------------------

void FormColour::connectBoard()
{
    onMenu("mnuUSBComPortA", &FormColour::mnuUSBComPortA_Click);
    onMenu("mnuUSBComPortM", &FormColour::mnuUSBComPortM_Click);
    for (int n = 1; n <= 16; ++n)
        onMenu(itemName("mnuUSBComPort", n), [this, n] { mnuUSBComPort_Click(n); });
    // Each port item names the device it stands for, as it is when the list
    // opens: its description beside the caption (or the device's own name
    // when it gives none), so the ports there stand out from those that are
    // not; its path as the tool tip. The system is asked once per opening.
    QMenu *ports = findChild<QMenu *>(QStringLiteral("mnuUSBComPortS"));
    auto showDevices = [this] {
        const QList<platform::SerialPort::PortDevice> devices = m_port.portDevices(16);
        for (int n = 1; n <= 16; ++n) {
            const platform::SerialPort::PortDevice device = devices.value(n - 1);
            QAction *item = menuItem(itemName("mnuUSBComPort", n));
            item->setToolTip(device.path.isEmpty() ? QStringLiteral("-") : device.path);
            const QString caption = item->property("Caption").toString();
            const QString shown = device.description.isEmpty() ? QFileInfo(device.path).fileName() : device.description;
            item->setText(
                captions::escaped(shown.isEmpty() ? caption : caption + QStringLiteral("  (") + shown + u')'));
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
    onMenu("mnuUsbInterfaceOnCommandVf", &FormColour::mnuUsbInterfaceOnCommandVf_Click);
    onMenu("mnuUsbInterfaceOnBackup", &FormColour::mnuUsbInterfaceOnBackup_Click);
    onMenu("mnuUsbInterfaceOnRestore", &FormColour::mnuUsbInterfaceOnRestore_Click);
    onMenu("mnuUsbInterfaceOnStop", &FormColour::mnuUsbInterfaceOnStop_Click);
    // A port that closes itself on a device error says why; the link tells
    // the user with the disconnection it then finds.
    m_port.setClosedOnError([self = QPointer<FormColour>(this)](const platform::SerialPort::PortFailure &reason) {
        if (self)
            self->m_portError = reason;
    });
    // Checked while its job runs.
    boardItem("mnuInfoBoard")->setCheckable(true);
    onMenu("mnuInfoBoard", &FormColour::mnuInfoBoard_Click);
    // The jobs in the order the link's idle step takes them; the device
    // information is the only one of the emulator mode.
    const auto job = [this](board::Job kind, const char *item, bool (FormColour::*run)(), bool emulator = false) {
        board::PendingJobs::Step step = [this, run] { return (this->*run)(); };
        m_jobs.add(kind, boardItem(item), std::move(step), emulator);
    };
    job(board::Job::Clean, "mnuUsbInterfaceOnCommandCl", &FormColour::USBClean);
    job(board::Job::Erase, "mnuUsbInterfaceOnCommandEr", &FormColour::USBErase);
    job(board::Job::Read, "mnuUsbInterfaceOnCommandRd", &FormColour::USBRead);
    job(board::Job::Rename, "mnuUsbInterfaceOnCommandNn", &FormColour::USBRename);
    job(board::Job::Write, "mnuUsbInterfaceOnCommandWr", &FormColour::USBWrite);
    job(board::Job::Device, "mnuInfoBoard", &FormColour::USBDevice, true);
    job(board::Job::Backup, "mnuUsbInterfaceOnBackup", &FormColour::USBBackup);
    job(board::Job::Restore, "mnuUsbInterfaceOnRestore", &FormColour::USBRestore);

    // The buttons of the board show their state pressed; those of the modes,
    // the slots and the commands wait for the board to be switched on.
    for (const char *key :
         {"USBOn", "USBEm", "USBIn", "Cycle1", "Cycle2", "Cycle3", "Cycle4", "Cycle5", "Cycle6", "Cycle7", "Cycle8"})
        toolbarButton(QString::fromLatin1(key))->setCheckable(true);
    for (const char *key : {"USBEm", "USBIn", "Cycle1", "Cycle2", "Cycle3", "Cycle4", "Cycle5", "Cycle6", "Cycle7",
                            "Cycle8", "Read", "Write", "Rename", "Stop"})
        toolbarButton(QString::fromLatin1(key))->setEnabled(false);

    // While a back up or restore runs, its Stop is the one thing of the USB
    // menu and of the toolbar that answers: the rest is held off through
    // these groups, each item keeping the state it has of its own.
    m_usbGate = new QActionGroup(this);
    m_usbGate->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const char *name : {"mnuUsbOn", "mnuUsbEmulatorOn", "mnuUsbInterfaceOn", "mnuUsbInterfaceOnCommandRd",
                             "mnuUsbInterfaceOnCommandWr", "mnuUsbInterfaceOnCommandNn", "mnuUsbInterfaceOnCommandCl",
                             "mnuUsbInterfaceOnCommandEe", "mnuUsbInterfaceOnCommandEr", "mnuUsbInterfaceOnCommandVf",
                             "mnuUsbInterfaceOnBackup", "mnuUsbInterfaceOnRestore"})
        m_usbGate->addAction(boardItem(name));
    m_toolbarGate = new QActionGroup(this);
    m_toolbarGate->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction *button : Toolbar->actions()) {
        if (!button->isSeparator() && button != toolbarButton(QStringLiteral("Stop")))
            m_toolbarGate->addAction(button);
    }
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

QString FormColour::slotCaption(int slot) const
{
    const QAction *item = menuItem(itemName("mnuUsbInterfaceOnCycle", slot));
    return item ? item->property("Caption").toString() : QString();
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

int FormColour::selectedSlot() const
{
    if (!boardItem("mnuUsbInterfaceOn")->isChecked() || !boardItem("mnuUsbInterfaceOnCycle")->isEnabled())
        return 0;
    const int slot = tickedSlot();
    return slot != 0 && UsbCycleSlot == QString::number(slot) ? slot : 0;
}

int FormColour::tickedSlot() const
{
    const QAction *item = m_slotItems->checkedAction();
    return item ? item->data().toInt() : 0;
}

void FormColour::syncBoardControls()
{
    // Every toolbar button of the board follows its menu item, so a button
    // can only do what its item can: the slot pressed is the slot ticked,
    // and the commands are there only while the menu offers them (slot 1
    // can only be read, from the toolbar).
    QAction *interfaceOn = boardItem("mnuUsbInterfaceOn");
    setButton("USBOn", boardItem("mnuUsbOn")->isChecked());
    setButton("USBEm", mnuUsbEmulatorOn->isChecked(), mnuUsbEmulatorOn->isEnabled());
    setButton("USBIn", interfaceOn->isChecked(), interfaceOn->isEnabled());
    const bool slotsOpen = interfaceOn->isChecked() && boardItem("mnuUsbInterfaceOnCycle")->isEnabled();
    for (int k = 1; k <= 8; ++k)
        setButton(QByteArray("Cycle" + QByteArray::number(k)).constData(), slotsOpen && k == tickedSlot(), slotsOpen);
    const int slot = selectedSlot();
    const bool writable = slot > 1 && boardItem("mnuUsbInterfaceOnCommand")->isEnabled();
    setButton("Read", std::nullopt, slot != 0);
    setButton("Write", std::nullopt, writable);
    setButton("Rename", std::nullopt, writable);
    for (const char *name : {"mnuUsbInterfaceOnBackup", "mnuUsbInterfaceOnRestore"})
        boardItem(name)->setEnabled(slotsOpen);
    // A back up or restore keeps the USB menu and the toolbar on for its Stop.
    const bool transfer = transferRunning();
    m_usbGate->setEnabled(!transfer);
    m_slotItems->setEnabled(!transfer);
    m_toolbarGate->setEnabled(!transfer);
    boardItem("mnuUsbInterfaceOnStop")->setEnabled(transfer);
    setButton("Stop", std::nullopt, transfer);
    if (transfer) {
        mnuUSB->setEnabled(true);
        Toolbar->setEnabled(true);
    }
    showBoardPanel();
}

void FormColour::showBoardPanel()
{
    board::LinkMode mode = board::LinkMode::None;
    if (BoardOnline)
        mode = board::linkMode(mnuUsbEmulatorOn->isChecked(), boardItem("mnuUsbInterfaceOn")->isChecked());
    const int slot = selectedSlot();
    const Bilingual text = board::modeStatus(mode, slot, slot != 0 ? slotCaption(slot) : QString());
    StatusBarPanel3->setText(text.pick(english()));
    StatusBarPanel4->setText(BoardResult.pick(english()));
}

void FormColour::showBoardResult(board::Job job, int slot, bool success)
{
    BoardResult = board::jobResult(job, slot, success, QTime::currentTime());
    showBoardPanel();
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
    ProgressBarWait->setTextVisible(false);
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
        m_portError = {};
        m_refusedPort = 0;
        m_refusal = {};
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
        m_jobs.disarmAll();
        m_verifying = false;
        startProgress(50, 0, QStringLiteral("S"));
        ProgressBarWait->setVisible(true);
        mnuUSB->setEnabled(false);
    }
    DataBaseData();
    syncBoardControls();
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
    syncBoardControls();
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
            say(board::withLine(board::manualConnectFailedMessage(),
                                board::openFailureLine(ComPortNumber, m_port.openFailure())));
            mnuUsbOn_Click();
            BoardOnline = false;
            setTag(ProgressBarWait, QStringLiteral("H"));
        }
        return;
    }

    ProgressBarWait->setVisible(true);
    board::ScanState scan{UsbState, UsbRetry, UsbTick, ProgressBarWait->value()};
    const int tried = UsbState == 0 ? scan.port : 0;
    const board::ScanOutcome outcome = board::scanStep(scan, m_port);
    // A port that is there but does not open is named if no board is found.
    if (tried != 0 && m_refusedPort == 0 && m_port.openFailure().error != platform::SerialPort::PortError::None) {
        m_refusedPort = tried;
        m_refusal = m_port.openFailure();
    }
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
        say(board::withLine(board::noBoardMessage(), board::openFailureLine(m_refusedPort, m_refusal)));
        mnuUsbOn_Click();
        break;
    }
}

void FormColour::boardSupervise()
{
    const board::LinkMode mode =
        board::linkMode(mnuUsbEmulatorOn->isChecked(), boardItem("mnuUsbInterfaceOn")->isChecked());
    if (UsbState == 0) {
        EmulatorActive = mode == board::LinkMode::Emulator;
        InterfaceActive = mode == board::LinkMode::Interface;
    }
    board::LinkMode active = board::LinkMode::None;
    if (EmulatorActive)
        active = board::LinkMode::Emulator;
    else if (InterfaceActive)
        active = board::LinkMode::Interface;

    // In interface mode the slots' names are read before any job.
    const bool namesFirst = active == board::LinkMode::Interface && !SlotNamesLoaded;
    const std::optional<board::Job> job = m_jobs.next(active);

    const std::array<int, 3> colour{int(std::clamp<qint64>(store::toNumber(EmulatorRed), 0, 255)),
                                    int(std::clamp<qint64>(store::toNumber(EmulatorGreen), 0, 255)),
                                    int(std::clamp<qint64>(store::toNumber(EmulatorBlue), 0, 255))};
    switch (board::supervisionStep(UsbState, active, namesFirst || job, colour, m_port)) {
    case board::SupervisionOutcome::Continue: break;
    case board::SupervisionOutcome::RunJob:
        if (namesFirst)
            SlotNamesLoaded = USBText();
        else
            m_jobs.step(*job);
        break;
    case board::SupervisionOutcome::Disconnected:
        // Panel 4 no longer shows the last job's result as if the board were
        // there; it says so before the message.
        BoardResult = board::linkLostResult(QTime::currentTime());
        showBoardPanel();
        say(m_portError.error == platform::SerialPort::PortError::None
                ? board::disconnectedMessage()
                : board::withLine(board::disconnectedMessage(), board::portErrorLine(m_portError)));
        mnuUsbOn_Click();
        break;
    }
}

// ----- Board jobs -----------------------------------------------------------------

bool FormColour::applyJobTick(const board::JobTick &t, board::Job job)
{
    ProgressBarWait->setValue(t.value);
    if (t.captionSlot >= 1 && t.captionSlot <= 8)
        setSlotCaption(t.captionSlot, t.caption);
    if (t.device && m_formDevice)
        m_formDevice->showDevice(*t.device);
    if (!t.ended)
        return true;
    endProgress();
    // The result stands in the status bar before any message is shown.
    const int slot = slotDigit() - '0';
    showBoardResult(job, slot, t.success);
    if (t.failure)
        say(board::withLine(*t.failure, board::failureLine(job, slot)));
    return false;
}

char FormColour::slotDigit() const { return UsbCycleSlot.isEmpty() ? '0' : UsbCycleSlot.at(0).toLatin1(); }

bool FormColour::USBDevice()
{
    return applyJobTick(board::USBDevice(ProgressBarWait->value(), m_port), board::Job::Device);
}

bool FormColour::USBText()
{
    return !applyJobTick(board::USBText(ProgressBarWait->value(), m_port), board::Job::Names);
}

bool FormColour::USBClean()
{
    return applyJobTick(board::USBClean(ProgressBarWait->value(), slotDigit(), m_port), board::Job::Clean);
}

bool FormColour::USBRename()
{
    const bool goesOn = applyJobTick(
        board::USBRename(ProgressBarWait->value(), slotDigit(), UsbRenameText.toLatin1(), m_port), board::Job::Rename);
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
    return applyJobTick(t, board::Job::Erase);
}

bool FormColour::USBWrite()
{
    if (m_verifying)
        return USBVerify();
    const board::WriteSource source{&table(), doc().pointCount(), doc().transitionTime()};
    const board::JobTick t = board::USBWrite(ProgressBarWait->value(), slotDigit(), source, m_port);
    if (t.prepareWrite) {
        doc().setPointCurrent(1);
        DataBaseCheck();
        table().MoveFirst();
        DataBaseRead();
        DataBaseCommand();
        BoardWrittenCycle = board::writtenCycle({&table(), doc().pointCount(), doc().transitionTime()});
    }
    const bool verify = t.ended && t.success && boardItem("mnuUsbInterfaceOnCommandVf")->isChecked();
    const bool goesOn = applyJobTick(t, board::Job::Write);
    if (!goesOn)
        refreshAfterBoardWrite();
    if (!verify)
        return goesOn;
    // The write has passed: the slot is read back into a staging cycle, on
    // the following ticks, with the Write item still checked.
    m_verifying = true;
    startProgress(board::kReadFailure, 0, QStringLiteral("M"));
    ProgressBarWait->setVisible(true);
    return true;
}

bool FormColour::USBVerify()
{
    board::JobTick t = board::USBRead(ProgressBarWait->value(), slotDigit(), BoardVerifyCycle, m_port);
    if (t.ended) {
        m_verifying = false;
        const int slot = slotDigit() - '0';
        if (!t.success) {
            t.failure = board::verifyFailureMessage(slot);
        } else if (const int point = board::firstDifference(BoardWrittenCycle, BoardVerifyCycle); point != 0) {
            t.success = false;
            t.failure = board::verifyDifferenceMessage(slot, point);
        }
    }
    return applyJobTick(t, board::Job::Verify);
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
        doc().setPointCount(BoardReadCycle.pointCount);
        doc().setTransitionTime(BoardReadCycle.transitionTime);
        TextTransition->setText(store::timeText(doc().transitionTime(), hmsMode()));
    }
    const bool goesOn = applyJobTick(t, board::Job::Read);
    if (!goesOn)
        refreshAfterBoardRead();
    if (before) {
        // The cycle on screen is the slot's now, no file's: Save asks for a name.
        const QString name =
            QStringLiteral("slot %1 \"%2\"").arg(slotDigit()).arg(slotCaption(slotDigit() - '0').trimmed());
        doc().setSource({QString(), {name, name}});
        showSource();
        recordCycleChange(*before, editor::readLabel(slotDigit() - '0'));
    }
    return goesOn;
}

void FormColour::redrawColourCycle()
{
    // Switched on and off again: the function stays off and the window is redrawn.
    if (!mnuEnableColorCycle->isChecked()) {
        // Switching off hides the current-point bar and the colour strip:
        // they stay as they were shown.
        const bool bar = !CommandCursorSelected->isHidden();
        const bool strip = !PictureSelected->isHidden();
        mnuEnableColorCycle_Click();
        mnuEnableColorCycle_Click();
        CommandCursorSelected->setVisible(bar);
        PictureSelected->setVisible(strip);
    }
}

void FormColour::refreshAfterBoardWrite()
{
    doc().setPointCurrent(1);
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
    doc().setPointCurrent(1);
    showLoadedCycle();
}

// ----- Modes --------------------------------------------------------------------

void FormColour::mnuUsbEmulatorOn_Click()
{
    MenuDisable();
    if (mnuUsbEmulatorOn->isChecked()) {
        syncBoardControls();
        return;
    }
    mnuUsbEmulatorOn->setChecked(true);
    boardItem("mnuUsbInterfaceOn")->setChecked(false);
    boardItem("mnuUsbInterfaceOnCycle")->setEnabled(false);
    boardItem("mnuUsbInterfaceOnCommand")->setEnabled(false);
    DataBaseData();
    startProgress(50, 0, QStringLiteral("S"));
    ProgressBarWait->setVisible(true);
    syncBoardControls();
}

void FormColour::mnuUsbInterfaceOn_Click()
{
    MenuDisable();
    QAction *interfaceOn = boardItem("mnuUsbInterfaceOn");
    if (interfaceOn->isChecked()) {
        syncBoardControls();
        return;
    }
    mnuUsbEmulatorOn->setChecked(false);
    SlotNamesLoaded = false;
    interfaceOn->setChecked(true);
    boardItem("mnuUsbInterfaceOnCycle")->setEnabled(true);
    startProgress(board::kTextFailure, 0, QStringLiteral("M"));
    ProgressBarWait->setVisible(true);
    if (QAction *ticked = m_slotItems->checkedAction())
        ticked->setChecked(false);
    boardItem("mnuUsbInterfaceOnCommandEe")->setChecked(false);
    boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
    syncBoardControls();
}

// ----- Slots and commands -------------------------------------------------------------

void FormColour::mnuUsbInterfaceOnCycle_Click(int slot)
{
    // Only while the slot list is offered (a shortcut may come at any time).
    if (!boardItem("mnuUsbInterfaceOn")->isChecked() || !boardItem("mnuUsbInterfaceOnCycle")->isEnabled())
        return;
    QAction *item = menuItem(itemName("mnuUsbInterfaceOnCycle", slot));
    QAction *commands = boardItem("mnuUsbInterfaceOnCommand");
    if (!item->isChecked()) {
        item->setChecked(true);
        UsbCycleSlot = QString::number(slot);
        // Slot 1 can only be read, from the toolbar.
        commands->setEnabled(slot != 1);
    } else {
        item->setChecked(false);
        commands->setEnabled(false);
        boardItem("mnuUsbInterfaceOnCommandEe")->setChecked(false);
        boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
        UsbCycleSlot = QStringLiteral("0");
    }
    syncBoardControls();
}

bool FormColour::boardCommandAvailable() const
{
    // A command reaches the board only in interface mode with a slot chosen
    // and no job under way, whatever way it was asked for (menu, shortcut or
    // toolbar).
    // The slot is the one the menu shows ticked: after Erase All, say, none
    // is, whatever the last slot was.
    return BoardOnline && selectedSlot() != 0 && !hasTag(ProgressBarWait, u"M");
}

bool FormColour::boardTransferAvailable() const
{
    return BoardOnline && boardItem("mnuUsbInterfaceOn")->isChecked()
           && boardItem("mnuUsbInterfaceOnCycle")->isEnabled() && !hasTag(ProgressBarWait, u"M");
}

void FormColour::disarmEraseAll()
{
    boardItem("mnuUsbInterfaceOnCommandEe")->setChecked(false);
    boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
}

void FormColour::startBoardJob(board::Job job, int failureStep)
{
    // A transfer replaces what the editor shows: a point being edited or
    // inserted is given up first, so the editor is in browse mode with the rest.
    if (editorMode() != EditorMode::Browse && (job == board::Job::Read || job == board::Job::Write))
        CommandAnnul_Click();
    startProgress(failureStep, 0, QStringLiteral("M"));
    ProgressBarWait->setVisible(true);
    m_verifying = false;
    m_jobs.arm(job);
    // Nothing of the cycle can be changed while the job runs.
    setEditorLocked(true);
    // No other command may start while this one runs (a back up or restore
    // leaves its Stop); the menus come back at the first idle tick after it.
    MenuDisable();
    syncBoardControls();
}

void FormColour::mnuUsbInterfaceOnCommandRd_Click()
{
    if (boardCommandAvailable() && confirmDropChanges()
        && say(board::withLine(confirmation("Read Color Cycle! Confirm?", "Leggere il Ciclo Colore! Confermi?"),
                               board::confirmationLine(board::Job::Read, selectedSlot(), slotCaption(selectedSlot()))))
               == MsgResult::Yes)
        startBoardJob(board::Job::Read, board::kReadFailure);
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandWr_Click()
{
    if (boardCommandAvailable() && UsbCycleSlot != QStringLiteral("1")
        && say(board::withLine(confirmation("Write Color Cycle! Confirm?", "Scrivere il Ciclo Colore! Confermi?"),
                               board::confirmationLine(board::Job::Write, selectedSlot(), slotCaption(selectedSlot()))))
               == MsgResult::Yes)
        startBoardJob(board::Job::Write, board::kWriteFailure);
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandNn_Click()
{
    if (boardCommandAvailable() && UsbCycleSlot != QStringLiteral("1")) {
        MenuDisable();
        const int slot = selectedSlot();
        if (say(board::withLine(confirmation("Rename Color Cycle! Confirm?", "Rinomina il Ciclo Colore! Confermi?"),
                                board::confirmationLine(board::Job::Rename, slot, slotCaption(slot))))
            == MsgResult::Yes) {
            // The box opens with the slot's name and takes eight characters at
            // most; a refused name comes back in it to be put right.
            QString text = shownName(slotCaption(slot));
            for (;;) {
                const std::optional<QString> answer =
                    english() ? m_dialogs.shortInput(QStringLiteral("New Name: Eight AlphaNumeric Characters Max"),
                                                     QStringLiteral("New Name Function"), text, 8)
                              : m_dialogs.shortInput(
                                  QStringLiteral("Nuovo Nome: Lunghezza massima di otto caratteri AlfaNumerici"),
                                  QStringLiteral("Funzione Rinomina"), text, 8);
                if (!answer)
                    break;
                const board::RenameCheck check = board::checkRenameText(*answer);
                if (check.refusal) {
                    say(board::withLine(*check.refusal, board::renameAllowedLine()));
                    text = *answer;
                    continue;
                }
                if (check.name) {
                    UsbRenameText = QString::fromLatin1(*check.name);
                    startBoardJob(board::Job::Rename, board::kRenameFailure);
                } else {
                    say(board::renameEmptyMessage());
                }
                break;
            }
        }
    }
    disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandCl_Click()
{
    if (boardCommandAvailable() && UsbCycleSlot != QStringLiteral("1")
        && say(board::withLine(confirmation("Clean the Colour Cycle! Confirm?", "Cancella il Ciclo Colore! Confermi?"),
                               board::confirmationLine(board::Job::Clean, selectedSlot(), slotCaption(selectedSlot()))))
               == MsgResult::Yes)
        startBoardJob(board::Job::Clean, board::kCleanFailure);
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
    if (say(board::withLine(confirmation("Erase ALL Board Memory! Confirm?",
                                         "Cancella TUTTA la memoria della Scheda USB! Confirm?", MsgIcon::Exclamation,
                                         platform::englishWarningTitle()),
                            board::confirmationLine(board::Job::Erase, 0, QString())))
        != MsgResult::Yes)
        return; // the guard stays armed
    startBoardJob(board::Job::Erase, board::kEraseFailure);
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
    m_jobs.arm(board::Job::Device);
    MenuDisable();
    m_formDevice = new FormDevice(english(), this);
    m_formDevice->adjustSize();
    m_formDevice->move(mapToGlobal(rect().center()) - m_formDevice->rect().center());
    m_formDevice->show();
    m_formDevice->raise();
    m_formDevice->activateWindow();
}

// ----- Verify after write, back up and restore ----------------------------------------

void FormColour::mnuUsbInterfaceOnCommandVf_Click()
{
    QAction *verify = boardItem("mnuUsbInterfaceOnCommandVf");
    verify->setChecked(!verify->isChecked());
    disarmEraseAll();
}

bool FormColour::endTransfer(board::Job job, int slot, const BilingualMessage &message, bool success)
{
    endProgress();
    BoardResult = board::jobResult(job, slot, success, QTime::currentTime());
    syncBoardControls(); // its Stop goes off before the message
    say(message);
    return false;
}

void FormColour::mnuUsbInterfaceOnBackup_Click()
{
    disarmEraseAll();
    if (!boardTransferAvailable())
        return;
    const std::optional<QString> folder = m_dialogs.folder(english() ? QStringLiteral("Back up Board to Folder")
                                                                     : QStringLiteral("Salva Scheda su Cartella"),
                                                           m_transfer.folder);
    if (!folder)
        return;
    // Backups already in the folder are replaced only when the user agrees.
    QStringList replaced;
    for (const board::BackupFile &file : board::backupFiles(QDir(*folder).entryList(QDir::Files, QDir::Name)))
        replaced << file.fileName;
    if (!replaced.isEmpty() && say(board::backupReplaceQuestion(replaced)) != MsgResult::Yes)
        return;
    m_transfer = BoardTransfer{};
    m_transfer.folder = *folder;
    m_transfer.slots = {1, 2, 3, 4, 5, 6, 7, 8};
    m_transfer.replaced = replaced;
    m_transfer.perSlot = board::kReadFailure;
    startBoardJob(board::Job::Backup, board::kTextFailure + 8 * board::kReadFailure);
}

bool FormColour::USBBackup()
{
    BoardTransfer &x = m_transfer;
    // First the eight names, as the board has them now.
    if (x.phase == 0) {
        if (x.step == 0)
            showTransferProgress(0);
        const int asked = x.step;
        const board::JobTick t = board::USBText(x.step, m_port);
        if (t.captionSlot >= 1 && t.captionSlot <= 8)
            setSlotCaption(t.captionSlot, t.caption);
        x.step = t.value;
        ProgressBarWait->setValue(std::min(t.value, ProgressBarWait->maximum()));
        if (!t.ended)
            return true;
        if (!t.success)
            return endTransfer(board::Job::Backup, std::max(1, asked / 4),
                               board::backupStoppedMessage(std::max(1, asked / 4), x.saved, board::backupReadFailed()),
                               false);
        x.phase = 1;
        x.step = 0;
        return true;
    }
    // Then each slot, read into a staging cycle and saved as its own file; a
    // Stop is met before a slot, never inside one.
    const int slot = x.slots.value(x.index);
    if (x.step == 0) {
        if (x.stopAsked)
            return stopTransfer(board::Job::Backup, x.slots.mid(0, x.index));
        showTransferProgress(slot);
    }
    const board::JobTick t = board::USBRead(x.step, board::slotDigit(slot), x.readBack, m_port);
    x.step = t.value;
    ProgressBarWait->setValue(
        std::min(board::kTextFailure + x.index * x.perSlot + t.value, ProgressBarWait->maximum()));
    if (!t.ended)
        return true;
    if (!t.success)
        return endTransfer(board::Job::Backup, slot,
                           board::backupStoppedMessage(slot, x.saved, board::backupReadFailed()), false);
    const QDir dir(x.folder);
    const QString name = board::backupFileName(slot, slotCaption(slot).toLatin1());
    if (const std::optional<QString> error = cyclefile::writeWholeFile(
            dir.filePath(name), cyclefile::writeCycle(x.readBack.table, store::format00000(x.readBack.transitionTime))))
        return endTransfer(board::Job::Backup, slot,
                           board::backupStoppedMessage(slot, x.saved, board::backupWriteFailed(*error)), false);
    // An older backup of this slot under another name gives way to the new one.
    for (const QString &old : x.replaced) {
        const std::optional<board::BackupFile> file = board::parseBackupFileName(old);
        if (file && file->slot == slot && old != name)
            QFile::remove(dir.filePath(old));
    }
    x.saved << name;
    ++x.index;
    x.step = 0;
    if (x.index < x.slots.size())
        return true;
    return endTransfer(board::Job::Backup, 0,
                       board::backupDoneMessage(int(x.saved.size()), QDir::toNativeSeparators(x.folder)), true);
}

void FormColour::mnuUsbInterfaceOnRestore_Click()
{
    disarmEraseAll();
    if (!boardTransferAvailable())
        return;
    const std::optional<QString> folder = m_dialogs.folder(english() ? QStringLiteral("Restore Board from Folder")
                                                                     : QStringLiteral("Ripristina Scheda da Cartella"),
                                                           m_transfer.folder);
    if (!folder)
        return;
    const QDir dir(*folder);
    QList<board::BackupFile> chosen;
    bool slotOneLeftOut = false;
    for (const board::BackupFile &file : board::backupFiles(dir.entryList(QDir::Files, QDir::Name))) {
        // Slot 1 can only be read.
        if (file.slot == 1) {
            slotOneLeftOut = true;
            continue;
        }
        if (!chosen.isEmpty() && chosen.last().slot == file.slot) {
            say(board::restoreTwiceMessage(file.slot));
            return;
        }
        chosen.append(file);
    }
    if (chosen.isEmpty()) {
        say(board::restoreNothingMessage());
        return;
    }
    // Every file is read whole before anything goes to the board.
    BoardTransfer x;
    QStringList lines;
    for (const board::BackupFile &file : chosen) {
        const cyclefile::ReadResult read = cyclefile::readCycleFile(dir.filePath(file.fileName));
        if (!read.ok()) {
            say(board::withLine(*read.failure, board::restoreFileLine(file.fileName)));
            return;
        }
        board::ReadCycle cycle;
        for (int r = 1; r <= store::kRowCount; ++r)
            cycle.table.row(r) = read.cycle->rows[std::size_t(r - 1)];
        cycle.pointCount = read.cycle->pointCount;
        cycle.transitionTime = store::toNumber(read.cycle->transitionTime);
        x.cycles.append(cycle);
        x.slots.append(file.slot);
        x.names.append(file.name);
        lines << QStringLiteral("Slot %1 \"%2\" <- %3")
                     .arg(file.slot)
                     .arg(shownName(slotCaption(file.slot)), file.fileName);
    }
    if (say(board::restoreQuestion(lines, slotOneLeftOut)) != MsgResult::Yes)
        return;
    x.folder = *folder;
    x.verify = boardItem("mnuUsbInterfaceOnCommandVf")->isChecked();
    x.perSlot = board::kWriteFailure + (x.verify ? board::kReadFailure : 0) + board::kRenameFailure;
    m_transfer = x;
    startBoardJob(board::Job::Restore, int(x.slots.size()) * x.perSlot);
}

bool FormColour::USBRestore()
{
    BoardTransfer &x = m_transfer;
    const int slot = x.slots.value(x.index);
    const char digit = board::slotDigit(slot);
    const board::ReadCycle &cycle = x.cycles.at(x.index);
    const board::WriteSource source{&cycle.table, cycle.pointCount, cycle.transitionTime};
    // Each slot: its write, its read-back when verifying, then its name. A
    // Stop is met before a slot's write, never between its parts.
    if (x.phase == 0 && x.step == 0) {
        if (x.stopAsked)
            return stopTransfer(board::Job::Restore, x.restored);
        showTransferProgress(slot);
    }
    int base = x.index * x.perSlot;
    board::JobTick t;
    switch (x.phase) {
    case 0:
        if (x.step == 0)
            x.written = board::writtenCycle(source);
        t = board::USBWrite(x.step, digit, source, m_port);
        break;
    case 1:
        base += board::kWriteFailure;
        t = board::USBRead(x.step, digit, x.readBack, m_port);
        break;
    default:
        base += board::kWriteFailure + (x.verify ? board::kReadFailure : 0);
        t = board::USBRename(x.step, digit, x.names.at(x.index), m_port);
        break;
    }
    if (t.captionSlot >= 1 && t.captionSlot <= 8)
        setSlotCaption(t.captionSlot, t.caption);
    x.step = t.value;
    ProgressBarWait->setValue(std::min(base + t.value, ProgressBarWait->maximum()));
    if (!t.ended)
        return true;
    if (!t.success)
        return endTransfer(board::Job::Restore, slot, board::restoreStoppedMessage(slot, x.restored), false);
    if (x.phase == 1) {
        if (const int point = board::firstDifference(x.written, x.readBack); point != 0)
            return endTransfer(board::Job::Restore, slot,
                               board::withLine(board::verifyDifferenceMessage(slot, point),
                                               board::restoreStoppedMessage(slot, x.restored).text),
                               false);
    }
    x.step = 0;
    x.phase = x.phase == 0 ? (x.verify ? 1 : 2) : x.phase + 1;
    if (x.phase <= 2)
        return true;
    x.restored << slot;
    x.phase = 0;
    ++x.index;
    if (x.index < x.slots.size())
        return true;
    return endTransfer(board::Job::Restore, 0, board::restoreDoneMessage(x.restored), true);
}

bool FormColour::transferRunning() const
{
    return (boardItem("mnuUsbInterfaceOnBackup")->isChecked() || boardItem("mnuUsbInterfaceOnRestore")->isChecked())
           && hasTag(ProgressBarWait, u"M");
}

void FormColour::mnuUsbInterfaceOnStop_Click()
{
    if (transferRunning())
        m_transfer.stopAsked = true;
}

bool FormColour::stopTransfer(board::Job job, const QList<int> &done)
{
    endProgress();
    BoardResult = board::stoppedResult(job, done, QTime::currentTime());
    syncBoardControls();
    say(board::transferStoppedMessage(job, done, m_transfer.slots.mid(m_transfer.index)));
    return false;
}

void FormColour::showTransferProgress(int slot)
{
    const int place = m_transfer.index + 1;
    ProgressBarWait->setFormat(board::transferProgress(slot, place, int(m_transfer.slots.size())).pick(english()));
    ProgressBarWait->setTextVisible(true);
}
