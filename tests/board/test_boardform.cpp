// The board link on the real window with scripted dialogs and the virtual
// board in process: switching on, the scan, supervision in both modes, the
// port test, the slots and commands, and every job as a user starts it.

#include "app/tags.h"
#include "board/formdevice.h"
#include "board/records.h"
#include "cyclefile/cyclefile.h"
#include "cyclefile/filewrite.h"
#include "support/boardfixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;
using board::LinkMode;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

// Eight slots with names and cycles of different lengths, slot 1 included.
void fillBoard(board::VirtualBoard &b)
{
    const char *names[] = {"Sunrise", "Tom&Jerr", "a/b:c*d", "Aquarium", "", "  lead", "12345678", "Caf\xe9"};
    for (int s = 1; s <= 8; ++s) {
        QList<QByteArray> records;
        for (int k = 1; k <= 8 * s; ++k)
            records.append(
                board::pointRecord(colourPoint({k, (k - 1) * 1000 + s, 70000 * (k % 2) + 10, (k * s) % 101, 0, s})));
        b.setSlot(s, records, board::transitionRecord(100 * s + 70000 * (s % 2), 8 * s));
        b.setName(s, names[s - 1]);
    }
}

// A slot as the board keeps it: its name, transition record and blocks.
QList<QByteArray> slotImage(const board::VirtualBoard &b, int s)
{
    QList<QByteArray> image{b.name(s), b.transitionRecord(s)};
    for (int k = 0; k < board::kBlockCount; ++k)
        image.append(b.storedBlock(s, k));
    return image;
}

} // namespace

class TestBoardForm : public QObject
{
    Q_OBJECT
    std::unique_ptr<BoardFixture> m_f;
    FormColour &w() { return *m_f->form; }
    board::BoardSession &s() { return m_f->form->boardSession(); }
    ScriptedDialogs &dialogs() { return m_f->dialogs; }

    // Switches the board on and waits until it is online and the menus are back.
    void goOnline()
    {
        QVERIFY(m_f->trigger("mnuUsbOn"));
        QVERIFY(m_f->tickUntil([this] { return s().isOnline(); }) > 0);
        m_f->tick(); // the menus come back
    }
    // Enters interface mode, waits until the names are read, and ticks slot `k` (0: none).
    void goInterface(int k = 0)
    {
        goOnline();
        QVERIFY(m_f->trigger("mnuUsbInterfaceOn"));
        QVERIFY(m_f->tickUntil([this] { return s().namesLoaded(); }) > 0);
        m_f->tick();
        if (k != 0)
            selectSlot(k);
    }
    void selectSlot(int k)
    {
        QVERIFY(m_f->trigger(QByteArray("mnuUsbInterfaceOnCycle" + QByteArray::number(k)).constData()));
    }
    // Confirms and runs a command item to its end; the ticks its job took.
    int runCommand(const char *item, const QList<MsgResult> &answers = {MsgResult::Yes})
    {
        for (MsgResult a : answers)
            dialogs().answerMessage(a);
        if (!m_f->trigger(item))
            return -1;
        QAction *action = m_f->item(item);
        if (!action->isChecked())
            return 0;
        // The job's first step comes at the supervision cycle's step 0.
        if (m_f->tickUntil([this] { return child<QProgressBar>(w(), "ProgressBarWait")->value() > 0; }, 8) < 0)
            return -1;
        const int ticks = 1 + m_f->tickUntil([action] { return !action->isChecked(); });
        m_f->tick(); // the menus come back
        return ticks;
    }

private Q_SLOTS:
    void init() { m_f = std::make_unique<BoardFixture>(3); }
    void cleanup()
    {
        dialogs().onMessage = {};
        QVERIFY(dialogs().allAnswered());
    }

    void scanWithoutABoardSwitchesOff()
    {
        m_f = std::make_unique<BoardFixture>(99); // no port reaches a board; COM2's device may not be opened
        m_f->port.refusedPorts[2] = {platform::SerialPort::PortError::Permission, u"/dev/x"_s, u"E"_s};
        dialogs().answerMessage(MsgResult::Ok);
        QVERIFY(m_f->trigger("mnuUsbOn"));
        QCOMPARE(m_f->tickUntil([this] { return !dialogs().shown.isEmpty(); }), 17);
        QCOMPARE(messageLine(dialogs().last().text), u"Nessuna Scheda è connessa al PC sulla linea USB!"_s);
        QCOMPARE(messageLine(dialogs().last().text, 1),
                 u"Impossibile aprire COM02 (/dev/x): accesso negato (E). "_s + platform::permissionAdvice().italian);
        QVERIFY(!m_f->item("mnuUsbOn")->isChecked() && !m_f->button("USBOn")->isChecked()
                && !m_f->button("USBEm")->isEnabled());
        // The 2.5 s pause keeps the USB menu off.
        QCOMPARE(m_f->tickUntil([this] { return child<QAction>(w(), "mnuUSB")->isEnabled(); }), 52);
        QCOMPARE(child<QLabel>(w(), "StatusBarPanel2")->text(), u"Nessuna Scheda USB Abilitata"_s);
    }

    // The scan passes two silent ports of 21 ticks each, then COM3 answers at its
    // first check. The emulator sends the colour seven times in eight ticks; a
    // switch to interface mode waits for step 0; the names take 34 ticks, then heartbeats.
    void supervisionInBothModes()
    {
        m_f->board.setName(2, "Tom&Jerry");
        m_f->board.setName(5, "Aquarium");
        m_f->port.silentPorts = {1, 2};
        QVERIFY(m_f->trigger("mnuUsbOn"));
        QVERIFY(!child<QAction>(w(), "mnuUSB")->isEnabled() && !m_f->item("mnuUSBComPort")->isEnabled());
        QVERIFY(m_f->button("USBOn")->isChecked() && m_f->button("USBEm")->isChecked());
        QCOMPARE(m_f->tickUntil([this] { return s().isOnline(); }), 21 + 21 + 2);
        QCOMPARE(child<QLabel>(w(), "StatusBarPanel2")->text(), u"Scheda USB Abilitata sulla PORT03"_s);
        QVERIFY(!child<QProgressBar>(w(), "ProgressBarWait")->isVisible());
        m_f->tick();
        QVERIFY(child<QAction>(w(), "mnuUSB")->isEnabled());
        QVERIFY(m_f->trigger("mnuEnableRGB"));
        child<QSlider>(w(), "SliderRed")->setValue(40);
        child<QSlider>(w(), "SliderBlue")->setValue(7);
        QVERIFY(m_f->tickUntil([this] { return s().cycleStep() == 0; }, 8) > 0);
        qsizetype from = m_f->port.written.size();
        m_f->tick(8);
        QCOMPARE(m_f->framesSent('E', from), 7);
        QCOMPARE(m_f->board.emulatorColour(), (std::array<int, 3>{40, 0, 7}));

        QVERIFY(m_f->tickUntil([this] { return s().cycleStep() == 5; }, 8) > 0);
        from = m_f->port.written.size();
        QVERIFY(m_f->trigger("mnuUsbInterfaceOn"));
        QVERIFY(m_f->button("USBIn")->isChecked() && !m_f->button("USBEm")->isChecked());
        m_f->tick(3); // steps 5, 6 and the verdict at 7 stay the emulator's
        QCOMPARE(m_f->framesSent('E', from), 2);
        QCOMPARE(m_f->framesSent('T', from), 0);
        QCOMPARE(m_f->tickUntil([this] { return s().namesLoaded(); }), 34);
        QCOMPARE(w().slotCaption(5) + w().slotCaption(2), u"AquariumTom&Jerr"_s);
        QCOMPARE(m_f->item("mnuUsbInterfaceOnCycle2")->text(), u"Tom&&Jerr"_s); // no mnemonic

        from = m_f->port.written.size();
        m_f->tick(16);
        // Seven a cycle: on steps 1 to 6, and one more after the verdict finds the answers.
        QCOMPARE(m_f->framesSent('H', from), 2 * 7);
        QCOMPARE(m_f->framesSent('E', from), 0);
        QVERIFY(dialogs().shown.isEmpty());

        // Back to the emulator and to interface mode again, the board falls silent
        // while the names are read: the slots not read keep their captions; then the
        // supervision reports it, once, and the link goes off.
        QVERIFY(m_f->trigger("mnuUsbEmulatorOn"));
        QVERIFY(m_f->tickUntil([this] { return child<QAction>(w(), "mnuUSB")->isEnabled(); }) > 0);
        m_f->board.setName(1, "Renamed");
        m_f->board.setName(5, "Lost");
        QVERIFY(m_f->trigger("mnuUsbInterfaceOn"));
        QVERIFY(m_f->tickUntil([this] { return s().activeMode() == LinkMode::Interface && s().cycleStep() == 0; }, 8)
                > 0);
        m_f->board.faults.silentAfter = m_f->board.framesReceived() + 3; // three names
        dialogs().answerMessage(MsgResult::Ok);
        dialogs().answerMessage(MsgResult::Ok);
        QVERIFY(m_f->tickUntil([this] { return s().namesLoaded(); }) > 0);
        QCOMPARE(dialogs().last().text,
                 u"Lettura Nomi Fallita\rGli slot non letti mantengono i nomi mostrati prima."_s);
        QCOMPARE(w().slotCaption(1) + w().slotCaption(5), u"Renamed Aquarium"_s); // 5 not read: its old caption stays
        QVERIFY(m_f->tickUntil([this] { return dialogs().shown.size() == 2; }, 16) > 0);
        QCOMPARE(dialogs().last().text, u"La Scheda è stata disconnessa dalla linea USB!"_s);
        QCOMPARE(dialogs().last().icon, MsgIcon::Critical);
        QVERIFY(!m_f->item("mnuUsbOn")->isChecked());
        m_f->tick(60);
        QCOMPARE(dialogs().shown.size(), 2);
        QVERIFY(!m_f->port.isOpen());
    }

    void manualPortTestMessages()
    {
        m_f->port.silentPorts = {2};
        m_f->port.refusedPorts[4] = {platform::SerialPort::PortError::Busy, u"/dev/ttyACM0"_s, u"Busy"_s};
        QVERIFY(m_f->trigger("mnuUSBComPortM"));
        const std::tuple<const char *, const char *, MsgIcon> cases[] = {
            {"mnuUSBComPort1", "La Scheda USB non è connessa a questa Comport", MsgIcon::Exclamation},
            {"mnuUSBComPort4",
             "La Scheda USB non è connessa a questa Comport\rImpossibile aprire COM04 (/dev/ttyACM0): il dispositivo è "
             "in uso da un altro programma (Busy).",
             MsgIcon::Exclamation},
            {"mnuUSBComPort2", "La Scheda USB non è connessa alla porta ComPort COM02", MsgIcon::Exclamation},
            {"mnuUSBComPort3", "La Scheda USB è stata trovata connessa alla porta ComPort COM03", MsgIcon::Information},
        };
        for (const auto &[item, text, icon] : cases) {
            dialogs().answerMessage(MsgResult::Ok);
            QVERIFY(m_f->trigger(item));
            QCOMPARE(dialogs().last().text, QString::fromUtf8(text));
            QCOMPARE(dialogs().last().icon, icon);
            QCOMPARE(m_f->item(item)->isChecked(), icon == MsgIcon::Information); // ticked where the board is
            QVERIFY(!m_f->port.isOpen());
        }
        QCOMPARE(s().portNumber(), 3);
        // The list names each port's device, asking the system once per opening.
        const int asked = m_f->port.enumerations;
        QMetaObject::invokeMethod(w().findChild<QMenu *>(u"mnuUSBComPortS"_s), "aboutToShow");
        QCOMPARE(m_f->port.enumerations, asked + 1);
        // The ports there are marked, COM4 too though it does not open; COM5 is not there.
        QCOMPARE(m_f->item("mnuUSBComPort3")->text() + u'|' + m_f->item("mnuUSBComPort3")->toolTip() + u'|'
                     + m_f->item("mnuUSBComPort4")->text() + u'|' + m_f->item("mnuUSBComPort5")->text(),
                 u"ComPort3  (Orvanta virtual board)|virtual board|ComPort4  (ttyACM0)|ComPort5"_s);

        // A number above 16 counts as none.
        s().setPortNumber(17);
        dialogs().answerMessage(MsgResult::Ok);
        QVERIFY(!w().USBComPortTest());
        QCOMPARE(dialogs().last().text, QString::fromUtf8("Selezionare una ComPort nel menù USB-ComPort"));

        // Manual connect goes online at once on the chosen port; the test then finds it in use.
        s().setPortNumber(3);
        goOnline();
        dialogs().answerMessage(MsgResult::Ok);
        w().mnuUSBComPort_Click(5);
        QCOMPARE(dialogs().last().text, QString::fromUtf8("La ComPort COM03 è già utilizzata!"));
        QCOMPARE(s().portNumber(), 3);
    }

    void writeThenReadBackGivesTheCycle()
    {
        const QList<store::ColourPoint> written = loadCycle(w(), 12, 4000);
        goInterface(3);
        // Written from point 3 with the editor and the RGB sliders on: afterwards everything shows point 1.
        QVERIFY(m_f->trigger("mnuEnableColorCycle"));
        QVERIFY(m_f->trigger("mnuEnableRGB"));
        w().CommandNext_Click();
        w().CommandNext_Click();
        QCOMPARE(child<QSlider>(w(), "SliderRed")->value(), 3);
        QVERIFY(m_f->trigger("mnuUsbInterfaceOnCommandVf")); // the write alone
        dialogs().answerMessage(MsgResult::Yes);
        w().Toolbar_ButtonClick(u"Write"_s); // the toolbar reaches the slot ticked in the menu
        // While it runs nothing of the editor answers.
        m_f->tick(12);
        for (QWidget *control : std::initializer_list<QWidget *>{
                 child<QPushButton>(w(), "CommandInsert"), child<QPushButton>(w(), "CommandEdit"),
                 child<QLineEdit>(w(), "TextTransition"), child<QSlider>(w(), "SliderRed")})
            QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
        QVERIFY(m_f->tickUntilOff("mnuUsbInterfaceOnCommandWr"));
        m_f->tick(); // the menus come back
        QVERIFY(child<QPushButton>(w(), "CommandInsert")->isEnabled()
                && child<QLineEdit>(w(), "TextTransition")->isEnabled());
        QCOMPARE(w().document().pointCurrent(), 1);
        QCOMPARE((QList<int>{child<QSlider>(w(), "SliderRed")->value(), child<QSlider>(w(), "SliderGreen")->value(),
                             child<QSlider>(w(), "SliderBlue")->value()}),
                 (QList<int>{1, 99, 7}));
        QCOMPARE(dialogs().last().text,
                 u"Scrivere il Ciclo Colore! Confermi?\rIl ciclo nell'editor sostituisce lo slot 3 \"Cycle3\"."_s);
        QVERIFY(child<QLabel>(w(), "StatusBarPanel4")->text().startsWith(u"Slot 3 scritto "_s));
        // The slot stays ticked, its commands on.
        QVERIFY(m_f->button("Cycle3")->isChecked() && m_f->button("Read")->isEnabled());
        QCOMPARE(child<QLabel>(w(), "StatusBarPanel3")->text(), u"Interfaccia - slot 3 \"Cycle3\""_s);

        // The cycle opened from a file and changed, the editor off, a point being
        // edited, then slot 3 read back: it asks to save the changes first, the edit
        // is given up, the editor on, in browse mode, and the cycle is no file's.
        QTemporaryDir dir;
        const QString path = dir.filePath(u"mycycle.txt"_s);
        const QByteArray fileBytes = cyclefile::writeCycle(w().document().table(), w().document().transitionText());
        QVERIFY(!cyclefile::writeWholeFile(path, fileBytes));
        QVERIFY(m_f->open(path));
        dialogs().answerMessage(MsgResult::Yes);
        w().CommandRemove_Click();
        QVERIFY(m_f->trigger("mnuEnableColorCycle"));
        w().CommandEdit_Click();
        QCOMPARE(tag(child<QPushButton>(w(), "CommandSave")), u"E"_s);
        QVERIFY(runCommand("mnuUsbInterfaceOnCommandRd", {MsgResult::No, MsgResult::Yes}) > 0);
        QCOMPARE(dialogs().shown.at(dialogs().shown.size() - 2).text,
                 u"Il ciclo colore ha modifiche non salvate. Salvarle prima?"_s);
        QCOMPARE(messageLine(dialogs().last().text, 1), u"Lo slot 3 \"Cycle3\" sostituisce il ciclo nell'editor."_s);
        QCOMPARE(storeRows(w()), written);
        QCOMPARE(w().document().pointCount(), 12);
        QCOMPARE(child<QLineEdit>(w(), "TextTransition")->text(), u"01:06:40"_s);
        QCOMPARE(w().document().pointCurrent(), 1);
        QVERIFY(child<QAction>(w(), "mnuEnableColorCycle")->isChecked());
        QCOMPARE(child<QSlider>(w(), "SliderZoomMax")->maximum(), 12);
        QCOMPARE(tag(child<QPushButton>(w(), "CommandSave")), u"D"_s);
        QCOMPARE(child<QLabel>(w(), "StatusBarPanel1")->text(), u"File: Nessuno"_s);
        QCOMPARE(w().windowTitle(), u"Orvanta - slot 3 \"Cycle3\"[*]"_s);
        QVERIFY(w().isWindowModified());

        // Undone, the file's changed cycle and its name come back; redone, Save asks for a name.
        w().mnuEditUndo_Click();
        QCOMPARE(w().document().pointCount(), 11);
        QCOMPARE(w().document().fileName(), path);
        w().mnuEditRedo_Click();
        QCOMPARE(w().document().pointCount(), 12);
        dialogs().answerMessage(MsgResult::Yes);
        dialogs().answerSaveFile(std::nullopt);
        QVERIFY(m_f->trigger("mnuFileSave"));
        QVERIFY(dialogs().fileDialogs.last().save);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), fileBytes);
    }

    // The slots offered, the rename, and the device information.
    void slotsRenameAndDeviceInformation()
    {
        // Point 3 current, the zoom and cursors moved, then the editor switched off.
        loadCycle(w(), 6, 0);
        QVERIFY(m_f->trigger("mnuEnableColorCycle"));
        w().CommandNext_Click();
        w().CommandNext_Click();
        child<QSlider>(w(), "SliderZoomMin")->setValue(2);
        for (int k = 0; k < 6 && w().cursorRightPoint() != 4; ++k)
            w().cursorRightPoint() > 4 ? w().CommandCursorRightL_Click() : w().CommandCursorRightR_Click();
        for (int k = 0; k < 6 && w().cursorLeftPoint() < 2; ++k)
            w().CommandCursorLeftR_Click();
        QVERIFY(w().cursorLeftPoint() == 2 && w().cursorRightPoint() == 4);
        QVERIFY(m_f->trigger("mnuEnableColorCycle"));
        goInterface();
        QVERIFY(!m_f->button("Read")->isEnabled());
        selectSlot(1);
        QVERIFY(m_f->button("Cycle1")->isChecked() && m_f->button("Read")->isEnabled());
        QVERIFY(!m_f->button("Write")->isEnabled() && !m_f->item("mnuUsbInterfaceOnCommand")->isEnabled());
        // Slot 1 cannot be written, whatever asks.
        w().mnuUsbInterfaceOnCommandWr_Click();
        QVERIFY(!m_f->item("mnuUsbInterfaceOnCommandWr")->isChecked());
        selectSlot(2);
        QVERIFY(m_f->button("Cycle2")->isChecked() && m_f->button("Write")->isEnabled());
        QVERIFY(m_f->item("mnuUsbInterfaceOnCommand")->isEnabled());
        // An empty name sends nothing, and says so.
        dialogs().answerInput(QString());
        QCOMPARE(runCommand("mnuUsbInterfaceOnCommandNn", {MsgResult::Yes, MsgResult::Ok}), 0);
        QCOMPARE(dialogs().last().text, u"Il nuovo nome è vuoto: lo slot mantiene il suo nome."_s);

        // The box opens with the slot's name and takes eight characters at most; a
        // refused name comes back in it to be put right.
        m_f->tick();
        dialogs().answerInput(u"a_b"_s);
        dialogs().answerInput(u"Daybreak at six"_s);
        QCOMPARE(runCommand("mnuUsbInterfaceOnCommandNn", {MsgResult::Yes, MsgResult::Ok}), 8);
        QCOMPARE(dialogs().last().text, u"Il nuovo Nome \"a_b     \" ha caratteri non corretti\r"
                                        u"Ammessi: lettere A-Z e a-z, cifre 0-9 e spazi, al massimo otto."_s);
        QCOMPARE(dialogs().inputs[1].defaultText + u'|' + dialogs().inputs[2].defaultText, u"Cycle2|a_b"_s);
        QCOMPARE(dialogs().inputs.last().maxLength, 8);
        QCOMPARE(messageLine(dialogs().shown[dialogs().shown.size() - 2].text, 1),
                 u"Lo slot 2 \"Cycle2\" riceve un nuovo nome."_s);
        QCOMPARE(m_f->board.name(2), QByteArray("Daybreak"));
        QCOMPARE(w().slotCaption(2), u"Daybreak"_s);
        // The chart's closing redraw: point 1 current, zoom and cursors set up again, the editor still off.
        QCOMPARE(w().document().pointCurrent(), 1);
        QCOMPARE(
            (QList<int>{child<QSlider>(w(), "SliderZoomMin")->value(), child<QSlider>(w(), "SliderZoomMax")->value()}),
            (QList<int>{1, 6}));
        QCOMPARE((QList<int>{w().cursorLeftPoint(), w().cursorRightPoint()}), (QList<int>{1, 7}));
        QVERIFY(!child<QAction>(w(), "mnuEnableColorCycle")->isChecked());

        // Device information in its own window over the main one, in the current language; Escape closes it.
        m_f->tick();
        w().show();
        QVERIFY(m_f->trigger("mnuInfoBoard"));
        QPointer<FormDevice> device = w().findChild<FormDevice *>();
        QCOMPARE(device->Command->text(), u"Chiudi"_s);
        QVERIFY(device->LabelDevice->text().isEmpty());
        QVERIFY(m_f->tickUntilOff("mnuInfoBoard"));
        QCOMPARE(device->LabelDevice->text(), u"Scheda: Orvanta RGB-8 "_s);
        QCOMPARE(device->LabelHardware->text(), u"Hardware: V01.02"_s);
        QCOMPARE(device->LabelFirmware->text(), u"Firmware: V02.01"_s);
        QCOMPARE(device->LabelProduct->text(), u"Prodotto: V01.00"_s);
        QVERIFY(QTest::qWaitForWindowActive(device));
        QTest::keyClick(device, Qt::Key_Escape);
        QTRY_VERIFY(device.isNull());
        // It also goes when the user turns to another window.
        m_f->tick();
        QVERIFY(m_f->trigger("mnuInfoBoard"));
        device = w().findChild<FormDevice *>();
        QVERIFY(QTest::qWaitForWindowActive(device));
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(device.isNull());
        QVERIFY(m_f->tickUntilOff("mnuInfoBoard"));
    }

    // A write, a read or a backup that goes wrong ends with the job's own
    // message and status, and the editor keeps its cycle. The board may go away
    // at a frame of the job: then the disconnection follows, with the port's
    // reason, and nothing more. Or the write passes and, with the Write item
    // still checked, its verify reads the slot back (on by default): four blocks
    // and the transition record in 19 ticks, finding a point stored wrongly, or
    // the board silent.
    void jobsEndingBadly_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<int>("vanishAt"); // the board goes at this frame of the job (0: it stays)
        QTest::addColumn<int>("corruptPoint");
        QTest::addColumn<bool>("silentInVerify");
        QTest::addColumn<QString>("message"); // empty: none after the confirmation
        QTest::addColumn<QString>("status");
        const QByteArray write("mnuUsbInterfaceOnCommandWr");
        const QString verifyFailed = u"Slot 5 scritto, verifica fallita "_s;
        QTest::newRow("write: the board goes")
            << write << 8 << 0 << false
            << u"Scrittura Fallita\rLo slot 5 potrebbe essere scritto in parte: scriverlo di nuovo."_s
            << u"Scrittura slot 5 fallita "_s;
        QTest::newRow("read: the board goes, the editor keeps its cycle")
            << QByteArray("mnuUsbInterfaceOnCommandRd") << 8 << 0 << false
            << u"Lettura Fallita\rLo slot 5 non è stato letto: l'editor mantiene il suo ciclo."_s
            << u"Lettura slot 5 fallita "_s;
        QTest::newRow("backup: the board goes in slot 3")
            << QByteArray("mnuUsbInterfaceOnBackup") << 28 << 0 << false
            << u"Salvataggio interrotto allo slot 3: lo slot non è stato letto.\rFile salvati: Slot1-Sunrise.txt, "
               u"Slot2-Tom%26Jerr.txt. Nessun file dello slot 3 è stato scritto."_s
            << u"Salvataggio interrotto allo slot 3 "_s;
        QTest::newRow("backup: the board goes in slot 1")
            << QByteArray("mnuUsbInterfaceOnBackup") << 16 << 0 << false
            << u"Salvataggio interrotto allo slot 1: lo slot non è stato letto.\rNessun file è stato salvato."_s
            << u"Salvataggio interrotto allo slot 1 "_s;
        QTest::newRow("verify: good board")
            << write << 0 << 0 << false << QString() << u"Slot 5 scritto e verificato "_s;
        QTest::newRow("verify: point 5 stored wrongly")
            << write << 0 << 5 << false
            << u"Lo slot 5 differisce dal ciclo scritto al punto 5.\rLo slot 5 potrebbe contenere un ciclo errato: "
               u"scriverlo di nuovo."_s
            << verifyFailed;
        QTest::newRow("verify: last point stored wrongly")
            << write << 0 << 12 << false << u"Lo slot 5 differisce dal ciclo scritto al punto 12."_s << verifyFailed;
        QTest::newRow("verify: silent read-back")
            << write << 0 << 0 << true
            << u"Verifica Fallita\rLo slot 5 è stato scritto ma non è stato possibile rileggerlo: leggerlo per "
               u"controllarlo."_s
            << verifyFailed;
    }
    void jobsEndingBadly()
    {
        QFETCH(QByteArray, item);
        QFETCH(int, vanishAt);
        QFETCH(int, corruptPoint);
        QFETCH(bool, silentInVerify);
        QFETCH(QString, message);
        QFETCH(QString, status);
        const QList<store::ColourPoint> before = loadCycle(w(), 12, 4000);
        fillBoard(m_f->board);
        m_f->board.faults.corruptPoint = corruptPoint;
        QTemporaryDir dir;
        goInterface(5);
        const bool backup = item.endsWith("Backup");
        if (backup)
            dialogs().answerFolder(dir.path());
        else
            dialogs().answerMessage(MsgResult::Yes);
        if (!message.isEmpty())
            dialogs().answerMessage(MsgResult::Ok);
        if (vanishAt > 0) {
            dialogs().answerMessage(MsgResult::Ok);
            m_f->board.faults.vanishAfter = m_f->board.framesReceived() + vanishAt;
        }
        const qsizetype from = m_f->port.written.size();
        QStringList panelAtMessage; // panel 4 as each message comes up
        dialogs().onMessage = [&](const platform::Message &) {
            panelAtMessage.append(child<QLabel>(w(), "StatusBarPanel4")->text());
        };
        QVERIFY(m_f->trigger(item.constData()));
        if (vanishAt > 0) {
            // The job's own message and result, then the disconnection: panel 4 says the link is lost.
            QVERIFY(m_f->tickUntil([&] { return dialogs().last().text == message; }) > 0);
            QVERIFY2(child<QLabel>(w(), "StatusBarPanel4")->text().startsWith(status),
                     qPrintable(child<QLabel>(w(), "StatusBarPanel4")->text()));
            QVERIFY(m_f->tickUntilOff("mnuUsbOn", 1000));
            const qsizetype shown = dialogs().shown.size();
            QCOMPARE(dialogs().last().text,
                     u"La Scheda è stata disconnessa dalla linea USB!\rLa porta ha segnalato: il "
                     u"dispositivo è stato rimosso (The device has gone)"_s);
            status = u"Collegamento con la scheda perso "_s;
            QVERIFY(panelAtMessage.last().startsWith(status));
            QCOMPARE(m_f->port.errors, 1);
            m_f->tick(80);
            QCOMPARE(dialogs().shown.size(), shown);
        } else {
            QAction *write = m_f->item(item.constData());
            QVERIFY(m_f->tickUntil([this] { return child<QProgressBar>(w(), "ProgressBarWait")->value() == 55; }) > 0);
            m_f->tick();
            QVERIFY(write->isChecked() && m_f->framesSent('R', from) == 0);
            if (silentInVerify)
                m_f->board.faults.silentAfter = m_f->board.framesReceived();
            const int verifyTicks = m_f->tickUntil([write] { return !write->isChecked(); });
            if (!silentInVerify) {
                QCOMPARE(verifyTicks, 14 + 5);
                QCOMPARE(m_f->framesSent('R', from), 4);
            }
            QCOMPARE(dialogs().shown.size(), message.isEmpty() ? 1 : 2);
            QVERIFY2(dialogs().last().text.startsWith(message.isEmpty() ? u"Scrivere"_s : message),
                     qPrintable(dialogs().last().text));
            QCOMPARE(tag(child<QProgressBar>(w(), "ProgressBarWait")), u"H"_s);
        }
        QVERIFY2(child<QLabel>(w(), "StatusBarPanel4")->text().startsWith(status),
                 qPrintable(child<QLabel>(w(), "StatusBarPanel4")->text()));
        QCOMPARE(storeRows(w()), before); // neither the read-back nor a failed read reaches the store
        QCOMPARE(w().document().pointCount(), 12);
        QCOMPARE(w().document().transitionText(), u"04000"_s);
        if (backup)
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                     (vanishAt < 20 ? QStringList() : QStringList{u"Slot1-Sunrise.txt"_s, u"Slot2-Tom%26Jerr.txt"_s}));
    }

    // After every path that changes the slot or the mode, the toolbar shows what
    // the menu shows, and a toolbar Write reaches only the slot ticked there; a
    // write armed when the board went does not run when it is back.
    void toolbarFollowsTheMenu_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *path : {"mode switch", "switch off and on", "lost with a write armed", "deselect"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void toolbarFollowsTheMenu()
    {
        QFETCH(QString, path);
        loadCycle(w(), 3, 0);
        goInterface(4);
        const qsizetype from = m_f->port.written.size();
        QVERIFY(m_f->button("Cycle4")->isChecked() && m_f->button("Write")->isEnabled());
        if (path == u"mode switch") {
            QVERIFY(m_f->trigger("mnuUsbEmulatorOn"));
            QVERIFY(!m_f->button("Cycle4")->isChecked() && !m_f->button("Cycle4")->isEnabled());
            QCOMPARE(child<QLabel>(w(), "StatusBarPanel3")->text(),
                     u"Emulatore: la scheda mostra il colore sullo schermo"_s);
            QVERIFY(m_f->tickUntil([this] { return child<QAction>(w(), "mnuUSB")->isEnabled(); }) > 0);
            QVERIFY(m_f->trigger("mnuUsbInterfaceOn"));
            QVERIFY(m_f->tickUntil([this] { return s().namesLoaded(); }) > 0);
        } else if (path != u"deselect") {
            if (path.startsWith(u"lost")) {
                // The board falls silent after a supervision cycle's step 0, a write armed for the next one.
                QVERIFY(m_f->tickUntil([this] { return s().cycleStep() == 1; }, 8) > 0);
                m_f->board.faults.silentAfter = m_f->board.framesReceived();
                dialogs().answerMessage(MsgResult::Yes);
                dialogs().answerMessage(MsgResult::Ok); // the disconnection
                QVERIFY(m_f->trigger("mnuUsbInterfaceOnCommandWr") && m_f->tickUntilOff("mnuUsbOn"));
                m_f->board.faults.silentAfter = -1;
            } else {
                QVERIFY(m_f->trigger("mnuUsbOn"));
            }
            QVERIFY(!m_f->button("USBOn")->isChecked() && !m_f->button("Cycle4")->isEnabled());
            QVERIFY(m_f->tickUntil([this] { return child<QAction>(w(), "mnuUSB")->isEnabled(); }) > 0);
            goInterface();
        } else {
            selectSlot(4);
        }
        m_f->tick();
        QVERIFY(!m_f->item("mnuUsbInterfaceOnCommandWr")->isChecked()); // nothing armed stays armed
        for (int k = 1; k <= 8; ++k) {
            QVERIFY(!m_f->item(QByteArray("mnuUsbInterfaceOnCycle" + QByteArray::number(k)).constData())->isChecked());
            QVERIFY(!m_f->button(QByteArray("Cycle" + QByteArray::number(k)).constData())->isChecked());
        }
        for (const char *key : {"Read", "Write", "Rename"})
            QVERIFY(!m_f->button(key)->isEnabled());
        QCOMPARE(child<QLabel>(w(), "StatusBarPanel3")->text(), u"Interfaccia - nessuno slot selezionato"_s);
        // Whatever the toolbar is asked, nothing is written to a slot not ticked.
        w().Toolbar_ButtonClick(u"Write"_s);
        m_f->tick(80);
        QCOMPARE(m_f->framesSent('W', from), 0);
    }

    // Back up eight slots, erase the board, restore: byte for byte, names too
    // (slot 1 can only be read, so the board keeps its erased slot 1). The
    // erase has its guard: armed, a declined erase keeps it armed, any other
    // command disarms it. A restore stopped goes no further than its slot.
    void backupAndRestoreRoundTrip()
    {
        fillBoard(m_f->board);
        QList<QList<QByteArray>> before;
        for (int s = 1; s <= 8; ++s)
            before.append(slotImage(m_f->board, s));
        QTemporaryDir dir;
        QVERIFY(!cyclefile::writeWholeFile(dir.filePath(u"Slot4-Older.txt"_s), "x"));
        goInterface();
        // A broken file stops a restore before anything is written, and is named.
        dialogs().answerFolder(dir.path());
        dialogs().answerMessage(MsgResult::Ok);
        QVERIFY(m_f->trigger("mnuUsbInterfaceOnRestore"));
        QCOMPARE(messageLine(dialogs().last().text, -2), u"File di salvataggio: Slot4-Older.txt"_s);
        dialogs().answerFolder(dir.path());
        dialogs().answerMessage(MsgResult::Yes); // the older backup of slot 4 goes
        dialogs().answerMessage(MsgResult::Ok);  // the summary
        // The summary comes up with Stop already off.
        bool stopAtSummary = true;
        dialogs().onMessage = [&](const platform::Message &) {
            stopAtSummary = m_f->button("Stop")->isEnabled() || m_f->item("mnuUsbInterfaceOnStop")->isEnabled();
        };
        QVERIFY(m_f->trigger("mnuUsbInterfaceOnBackup"));
        QCOMPARE(messageLine(dialogs().shown[1].text, 1), u"Slot4-Older.txt"_s);
        QVERIFY(m_f->tickUntil([this] {
            return child<QProgressBar>(w(), "ProgressBarWait")->text() == u"Slot 3 di 8"_s;
        }) > 0);
        QVERIFY(m_f->tickUntilOff("mnuUsbInterfaceOnBackup", 1000));
        QCOMPARE(dialogs().shown.size(), 3);
        QCOMPARE(messageLine(dialogs().last().text), u"Scheda salvata: 8 slot salvati in"_s);
        QVERIFY(!stopAtSummary);
        QVERIFY(child<QLabel>(w(), "StatusBarPanel4")->text().startsWith(u"Scheda salvata "_s));
        QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files, (QStringList{u"Slot1-Sunrise.txt"_s, u"Slot2-Tom%26Jerr.txt"_s, u"Slot3-a%2Fb%3Ac%2Ad.txt"_s,
                                     u"Slot4-Aquarium.txt"_s, u"Slot5-.txt"_s, u"Slot6-  lead.txt"_s,
                                     u"Slot7-12345678.txt"_s, u"Slot8-Caf%E9.txt"_s}));

        m_f->tick(); // the menus come back
        QVERIFY(m_f->trigger("mnuUsbInterfaceOnCycle2"));
        QVERIFY(!m_f->trigger("mnuUsbInterfaceOnCommandEr"));
        QVERIFY(m_f->trigger("mnuUsbInterfaceOnCommandEe"));
        QCOMPARE(runCommand("mnuUsbInterfaceOnCommandEr", {MsgResult::No}), 0);
        QCOMPARE(messageLine(dialogs().last().text), u"Cancella TUTTA la memoria della Scheda USB! Confirm?"_s);
        QCOMPARE(messageLine(dialogs().last().text, 2),
                 u"Lo slot 1 non può essere riscritto, quindi il suo ciclo va perso per sempre: per conservare prima "
                 u"una copia della scheda, usare Salva Scheda su Cartella..."_s);
        QCOMPARE(dialogs().last().defaultButton, MsgResult::No);
        QVERIFY(m_f->item("mnuUsbInterfaceOnCommandEe")->isChecked());
        QCOMPARE(runCommand("mnuUsbInterfaceOnCommandCl", {MsgResult::No}), 0);
        QVERIFY(!m_f->item("mnuUsbInterfaceOnCommandEe")->isChecked()
                && !m_f->item("mnuUsbInterfaceOnCommandEr")->isEnabled());
        QVERIFY(m_f->trigger("mnuUsbInterfaceOnCommandEe"));
        QVERIFY(runCommand("mnuUsbInterfaceOnCommandEr") > 0);
        // Erased, every slot is named anew and the guard is disarmed.
        QVERIFY(slotImage(m_f->board, 4) != before[3]);
        QCOMPARE(w().slotCaption(3), u"Cycle3  "_s);
        QVERIFY(!m_f->item("mnuUsbInterfaceOnCommandEe")->isChecked()
                && !m_f->item("mnuUsbInterfaceOnCommandEr")->isEnabled());
        QVERIFY(!m_f->button("Cycle2")->isChecked() && !m_f->button("Read")->isEnabled()); // no slot ticked

        // While slot 2 is restored only the Stop answers, in the menu and on the toolbar;
        // the restore ends before slot 3.
        for (int run = 0; run < 2; ++run) {
            dialogs().answerFolder(dir.path());
            dialogs().answerMessage(MsgResult::Yes);
            dialogs().answerMessage(MsgResult::Ok);
            QVERIFY(m_f->trigger("mnuUsbInterfaceOnRestore"));
            if (run == 1)
                break;
            const QString question = dialogs().last().text;
            QCOMPARE(messageLine(question), u"Ripristinare la Scheda dalla Cartella! Confermi?"_s);
            QCOMPARE(messageLine(question, 2), u"Slot 2 \"Cycle2\" <- Slot2-Tom%26Jerr.txt"_s);
            QCOMPARE(messageLine(question, 9), u"Lo slot 1 può essere solo letto: il suo file non viene usato."_s);
            QVERIFY(m_f->tickUntil([this] {
                return child<QProgressBar>(w(), "ProgressBarWait")->text() == u"Slot 2 (1 di 7)"_s;
            }) > 0);
            QVERIFY(FormFixture::reachable(m_f->item("mnuUsbInterfaceOnStop"))
                    && child<QToolBar>(w(), "Toolbar")->isEnabled());
            QVERIFY(!FormFixture::reachable(m_f->item("mnuUsbOn")) && !m_f->button("USBOn")->isEnabled());
            m_f->button("Stop")->trigger();
            QVERIFY(m_f->tickUntilOff("mnuUsbInterfaceOnRestore", 3000));
            QCOMPARE(dialogs().last().text,
                     u"Ripristino interrotto (slot ripristinati: 2).\rSlot non toccati: 3, 4, 5, 6, 7, 8."_s);
            QVERIFY(child<QLabel>(w(), "StatusBarPanel4")
                        ->text()
                        .startsWith(u"Ripristino interrotto (slot ripristinati: 2) "_s));
            QVERIFY(slotImage(m_f->board, 2) == before[1] && w().slotCaption(3) == u"Cycle3  "_s);
            QVERIFY(!m_f->button("Stop")->isEnabled() && !m_f->item("mnuUsbInterfaceOnStop")->isEnabled());
            m_f->tick();
        }
        QVERIFY(m_f->tickUntilOff("mnuUsbInterfaceOnRestore", 3000));
        QCOMPARE(dialogs().shown.size(), 10);
        QCOMPARE(dialogs().last().text, u"Scheda ripristinata: slot 2, 3, 4, 5, 6, 7, 8 scritti e rinominati."_s);
        for (int s = 2; s <= 8; ++s)
            QVERIFY2(slotImage(m_f->board, s) == before[s - 1], qPrintable(QString::number(s)));
        QCOMPARE(w().slotCaption(3), u"a/b:c*d "_s);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), files);
    }
};

QTEST_MAIN(TestBoardForm)
#include "test_boardform.moc"
