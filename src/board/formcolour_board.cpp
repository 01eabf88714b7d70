// The board link's window side. The link itself, its jobs and their
// progress are the board session's (boardsession.h), and the USB menu, the
// toolbar's board buttons, the progress bar and status panels 2 to 4 show it
// (boardmenus.h). Here the handlers ask the confirmations and then call the
// session; what its jobs bring comes back through its signals: each job's
// result and message, the cycle a read brings, the link lost.

#include "app/formcolour.h"

#include "app/tags.h"
#include "board/backup.h"
#include "board/boardmenus.h"
#include "board/boardsession.h"
#include "board/formdevice.h"
#include "board/frame.h"
#include "board/jobs.h"
#include "board/reports.h"
#include "platform/dialogs.h"
#include "store/numbers.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

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


} // namespace

// ----- Wiring ---------------------------------------------------------------------

void FormColour::connectBoard()
{
    onMenu("mnuUSBComPortA", &FormColour::mnuUSBComPortA_Click);
    onMenu("mnuUSBComPortM", &FormColour::mnuUSBComPortM_Click);
    for (int n = 1; n <= 16; ++n)
        onMenu(itemName("mnuUSBComPort", n), [this, n] { mnuUSBComPort_Click(n); });
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
    onMenu("mnuInfoBoard", &FormColour::mnuInfoBoard_Click);

    // The menus, the toolbar and the panels show the session; what its jobs
    // bring comes here.
    m_boardMenus =
        new board::BoardMenus(*this, *m_board,
                              {[this] { return english(); }, [this](const Bilingual &text) { setUsbStatus(text); },
                               [this](bool locked) { setEditorLocked(locked); }});
    using Session = board::BoardSession;
    connect(m_board, &Session::linkLost, this, [this](const BilingualMessage &reason) {
        say(reason);
        showBoardOff();
    });
    connect(m_board, &Session::deviceRead, this, &FormColour::USBDevice);
    connect(m_board, &Session::cycleRead, this, [this](int, const board::ReadCycle &cycle) { USBRead(cycle); });
    connect(m_board, &Session::jobFinished, this, &FormColour::boardJobFinished);
    m_board->setWritePreparation([this] { return USBWrite(); });
}

QAction *FormColour::boardItem(const char *name) const { return menuItem(QString::fromLatin1(name)); }

QString FormColour::slotCaption(int slot) const { return QString::fromLatin1(m_board->slotName(slot)); }

char FormColour::slotDigit() const { return board::slotDigit(m_board->selectedSlot()); }

// ----- Port choice ----------------------------------------------------------------

void FormColour::mnuUSBComPortA_Click()
{
    m_board->setPortChoice(board::PortChoice::Automatic);
    m_boardMenus->showPortChoice();
}

void FormColour::mnuUSBComPortM_Click()
{
    m_board->setPortChoice(board::PortChoice::Manual);
    m_boardMenus->showPortChoice();
}

void FormColour::mnuUSBComPort_Click(int port)
{
    say(m_board->testPort(port).message);
    m_boardMenus->showPortChoice();
}

bool FormColour::USBComPortTest()
{
    const board::PortTestResult result = m_board->testPort(m_board->portNumber());
    say(result.message);
    return result.found;
}

// ----- Switching the board on and off, modes ---------------------------------------

void FormColour::mnuUsbOn_Click()
{
    // Nothing of the board starts before the start-up progress has ended
    // (a shortcut can come that early).
    if (!StartupDone)
        return;
    if (m_board->isOn()) {
        m_board->switchOn(false);
        showBoardOff();
        return;
    }
    MenuDisable();
    m_board->switchOn(true);
    DataBaseData();
    m_boardMenus->sync();
}

void FormColour::showBoardOff()
{
    MenuDisable();
    mnuUSB->setEnabled(false);
    DataBaseData();
    m_boardMenus->sync();
}

void FormColour::TimerMoveBoard() { m_board->tick(); }

void FormColour::mnuUsbEmulatorOn_Click()
{
    MenuDisable();
    if (m_board->setMode(board::LinkMode::Emulator))
        DataBaseData();
    m_boardMenus->sync();
}

void FormColour::mnuUsbInterfaceOn_Click()
{
    MenuDisable();
    if (m_board->setMode(board::LinkMode::Interface))
        m_boardMenus->disarmEraseAll();
    m_boardMenus->sync();
}

// ----- Slots and commands -------------------------------------------------------------

void FormColour::mnuUsbInterfaceOnCycle_Click(int slot)
{
    // Only while the slot list is offered (a shortcut may come at any time).
    if (!boardItem("mnuUsbInterfaceOn")->isChecked() || !boardItem("mnuUsbInterfaceOnCycle")->isEnabled())
        return;
    if (m_board->selectedSlot() != slot) {
        m_board->selectSlot(slot);
    } else {
        m_boardMenus->disarmEraseAll();
        m_board->selectSlot(0);
    }
    m_boardMenus->sync();
}

void FormColour::startBoardJob(board::Job job, const std::function<bool()> &arm)
{
    // A transfer replaces what the editor shows: a point being edited or
    // inserted is given up first, so the editor is in browse mode with the rest.
    if (!hasTag(CommandSave, u"D") && (job == board::Job::Read || job == board::Job::Write))
        CommandAnnul_Click();
    if (!arm())
        return;
    // Nothing of the cycle can be changed while the job runs.
    setEditorLocked(true);
    // No other command may start while this one runs (a back up or restore
    // leaves its Stop); the menus come back at the first idle tick after it.
    MenuDisable();
    m_boardMenus->sync();
}

bool FormColour::confirmBoardJob(board::Job job, const char *english, const char *italian)
{
    // A command reaches the board only in interface mode with a slot chosen
    // and no job under way, whatever way it was asked for (menu, shortcut or
    // toolbar); slot 1 can only be read.
    const int slot = m_board->selectedSlot();
    return m_board->commandAvailable() && (job == board::Job::Read || slot != 1)
           && (job != board::Job::Read || confirmDropChanges())
           && say(board::withLine(confirmation(english, italian),
                                  board::confirmationLine(job, slot, slotCaption(slot))))
                  == MsgResult::Yes;
}

void FormColour::mnuUsbInterfaceOnCommandRd_Click()
{
    if (confirmBoardJob(board::Job::Read, "Read Color Cycle! Confirm?", "Leggere il Ciclo Colore! Confermi?"))
        startBoardJob(board::Job::Read, [this] { return m_board->armRead(); });
    m_boardMenus->disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandWr_Click()
{
    if (confirmBoardJob(board::Job::Write, "Write Color Cycle! Confirm?", "Scrivere il Ciclo Colore! Confermi?"))
        startBoardJob(board::Job::Write, [this] {
            return m_board->armWrite({&table(), doc().pointCount(), doc().transitionTime()});
        });
    m_boardMenus->disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandNn_Click()
{
    if (m_board->commandAvailable() && m_board->selectedSlot() != 1) {
        MenuDisable();
        if (confirmBoardJob(board::Job::Rename, "Rename Color Cycle! Confirm?",
                            "Rinomina il Ciclo Colore! Confermi?")) {
            // The box opens with the slot's name and takes eight characters at
            // most; a refused name comes back in it to be put right.
            QString text = board::shownName(slotCaption(m_board->selectedSlot()));
            for (;;) {
                const std::optional<QString> answer = m_dialogs.shortInput(
                    english() ? QStringLiteral("New Name: Eight AlphaNumeric Characters Max")
                              : QStringLiteral("Nuovo Nome: Lunghezza massima di otto caratteri AlfaNumerici"),
                    english() ? QStringLiteral("New Name Function") : QStringLiteral("Funzione Rinomina"), text, 8);
                if (!answer)
                    break;
                const board::RenameCheck check = board::checkRenameText(*answer);
                if (check.refusal) {
                    say(board::withLine(*check.refusal, board::renameAllowedLine()));
                    text = *answer;
                    continue;
                }
                if (check.name)
                    startBoardJob(board::Job::Rename, [&] { return m_board->armRename(*check.name); });
                else
                    say(board::renameEmptyMessage());
                break;
            }
        }
    }
    m_boardMenus->disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandCl_Click()
{
    if (confirmBoardJob(board::Job::Clean, "Clean the Colour Cycle! Confirm?", "Cancella il Ciclo Colore! Confermi?"))
        startBoardJob(board::Job::Clean, [this] { return m_board->armClean(); });
    m_boardMenus->disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnCommandEe_Click()
{
    QAction *guard = boardItem("mnuUsbInterfaceOnCommandEe");
    guard->setChecked(!guard->isChecked());
    boardItem("mnuUsbInterfaceOnCommandEr")->setEnabled(guard->isChecked());
}

void FormColour::mnuUsbInterfaceOnCommandEr_Click()
{
    if (!m_board->commandAvailable() || !boardItem("mnuUsbInterfaceOnCommandEe")->isChecked())
        return;
    if (say(board::withLine(confirmation("Erase ALL Board Memory! Confirm?",
                                         "Cancella TUTTA la memoria della Scheda USB! Confirm?", MsgIcon::Exclamation,
                                         platform::englishWarningTitle()),
                            board::confirmationLine(board::Job::Erase, 0, QString())))
        != MsgResult::Yes)
        return; // the guard stays armed
    startBoardJob(board::Job::Erase, [this] { return m_board->armErase(); });
    m_boardMenus->disarmEraseAll();
}

void FormColour::mnuInfoBoard_Click()
{
    if (!m_board->isOnline() || m_board->busy() == board::Busy::Job)
        return;
    if (m_formDevice)
        m_formDevice->close();
    m_board->armDevice();
    MenuDisable();
    m_formDevice = new FormDevice(english(), this);
    m_formDevice->adjustSize();
    m_formDevice->move(mapToGlobal(rect().center()) - m_formDevice->rect().center());
    m_formDevice->show();
    m_formDevice->raise();
    m_formDevice->activateWindow();
}

void FormColour::USBDevice(const board::DeviceInfo &device)
{
    if (m_formDevice)
        m_formDevice->showDevice(device);
}

// ----- Verify after write, back up and restore ----------------------------------------

void FormColour::mnuUsbInterfaceOnCommandVf_Click()
{
    QAction *verify = boardItem("mnuUsbInterfaceOnCommandVf");
    verify->setChecked(!verify->isChecked());
    m_boardMenus->disarmEraseAll();
}

void FormColour::mnuUsbInterfaceOnBackup_Click()
{
    m_boardMenus->disarmEraseAll();
    if (!m_board->transferAvailable())
        return;
    const std::optional<QString> folder = m_dialogs.folder(english() ? QStringLiteral("Back up Board to Folder")
                                                                     : QStringLiteral("Salva Scheda su Cartella"),
                                                           m_board->transferFolder());
    if (!folder)
        return;
    // Backups already in the folder are replaced only when the user agrees.
    const QStringList replaced = board::existingBackups(*folder);
    if (!replaced.isEmpty() && say(board::backupReplaceQuestion(replaced)) != MsgResult::Yes)
        return;
    startBoardJob(board::Job::Backup, [&] { return m_board->startBackup(*folder); });
}

void FormColour::mnuUsbInterfaceOnRestore_Click()
{
    m_boardMenus->disarmEraseAll();
    if (!m_board->transferAvailable())
        return;
    const std::optional<QString> folder = m_dialogs.folder(english() ? QStringLiteral("Restore Board from Folder")
                                                                     : QStringLiteral("Ripristina Scheda da Cartella"),
                                                           m_board->transferFolder());
    if (!folder)
        return;
    // Every file is read whole before anything goes to the board.
    const board::RestoreSet set = board::readRestoreSet(*folder);
    if (set.refusal) {
        say(*set.refusal);
        return;
    }
    QStringList lines;
    for (const board::BackupFile &file : set.files)
        lines << QStringLiteral("Slot %1 \"%2\" <- %3")
                     .arg(file.slot)
                     .arg(board::shownName(slotCaption(file.slot)), file.fileName);
    if (say(board::restoreQuestion(lines, set.slotOneLeftOut)) != MsgResult::Yes)
        return;
    startBoardJob(board::Job::Restore, [&] { return m_board->startRestore(set); });
}

void FormColour::mnuUsbInterfaceOnStop_Click() { m_board->stop(); }

// ----- What the jobs bring -------------------------------------------------------------

void FormColour::boardJobFinished(board::Job job, int slot, bool success, const BilingualMessage &message)
{
    Q_UNUSED(slot);
    if (!message.text.english.isEmpty())
        say(message);
    switch (job) {
    case board::Job::Read:
        // A read that passed has been shown whole already (USBRead).
        if (!success)
            refreshAfterBoardRead();
        break;
    case board::Job::Write: refreshAfterBoardWrite(); break;
    case board::Job::Rename: redrawColourCycle(); break;
    default: break;
    }
}

board::WriteSource FormColour::USBWrite()
{
    doc().setPointCurrent(1);
    DataBaseCheck();
    table().MoveFirst();
    DataBaseRead();
    DataBaseCommand();
    return {&table(), doc().pointCount(), doc().transitionTime()};
}

void FormColour::USBRead(const board::ReadCycle &BoardReadCycle)
{
    const editor::CycleState before = doc().state(true);
    doc().setCycle(BoardReadCycle.table, BoardReadCycle.pointCount, BoardReadCycle.transitionTime);
    TextTransition->setText(store::timeText(doc().transitionTime(), hmsMode()));
    refreshAfterBoardRead();
    // The cycle on screen is the slot's now, no file's: Save asks for a name.
    const QString name =
        QStringLiteral("slot %1 \"%2\"").arg(slotDigit()).arg(slotCaption(slotDigit() - '0').trimmed());
    doc().setSource({QString(), {name, name}});
    showSource();
    doc().record(before, editor::readLabel(slotDigit() - '0'));
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
