// The board link end to end: the window with its real serial port and its
// own timer, against the virtual board served on a pseudo-terminal in this
// process. Switching on, the emulator colour, interface mode and its names,
// the typical road of writing a cycle into a slot and reading it back, and a
// board that vanishes.

#include "board/records.h"
#include "cyclefile/cyclefile.h"
#include "platform/qtserialport.h"
#include "ptyboard.h"
#include "store/numbers.h"
#include "support/boardfixture.h"

#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using platform::MsgResult;
using store::Field;

namespace {

constexpr int kWait = 15000; // generous: the whole scan of two ports takes about 1.1 s

} // namespace

class TestBoardPty : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<PtyBoard> m_pty;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::QtSerialPort> m_port;
    std::unique_ptr<FormColour> m_form;

    QAction *item(const char *name) { return m_form->menuItem(QString::fromLatin1(name)); }
    // A click on a menu item once its menus are back on.
    void click(const char *name)
    {
        QAction *action = item(name);
        QTRY_VERIFY_WITH_TIMEOUT(BoardFixture::reachable(action), kWait);
        action->trigger();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_pty = std::make_unique<PtyBoard>();
        if (!m_pty->start(m_dir.path(), 2))
            QSKIP(qPrintable(u"no pseudo-terminal here: "_s + m_pty->errorString()));
        m_pty->board().setName(3, "Sunset");
        qputenv("ORVANTA_PORT_DIR", QFile::encodeName(m_dir.path()));
        m_port = std::make_unique<platform::QtSerialPort>();
        m_form = std::make_unique<FormColour>(m_dialogs, *m_port);
        // Switched on: COM1 is missing, the board answers on COM2.
        click("mnuUsbOn");
        QTRY_VERIFY_WITH_TIMEOUT(m_form->BoardOnline, kWait);
        QCOMPARE(m_form->StatusBarPanel2->text(), u"Scheda USB Abilitata sulla PORT02"_s);
    }
    void cleanup()
    {
        m_form.reset();
        m_port.reset();
        m_pty.reset();
        qunsetenv("ORVANTA_PORT_DIR");
        QVERIFY(m_dialogs.allAnswered());
        m_dialogs.shown.clear();
    }

    void emulatorFollowsTheColourThenInterfaceReadsTheNames()
    {
        click("mnuEnableRGB");
        m_form->SliderGreen->setValue(64);
        QTRY_COMPARE_WITH_TIMEOUT(m_pty->board().emulatorColour()[1], 64, kWait);

        click("mnuUsbInterfaceOn");
        QTRY_VERIFY_WITH_TIMEOUT(m_form->SlotNamesLoaded, kWait);
        QCOMPARE(m_form->slotCaption(3), u"Sunset  "_s);
        QCOMPARE(m_form->slotCaption(1), u"Cycle1  "_s);

        // The board goes away: one error closes the port, one message, the link off.
        m_dialogs.answerMessage(MsgResult::Ok);
        m_pty->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!item("mnuUsbOn")->isChecked(), kWait);
        QCOMPARE(m_dialogs.shown.size(), 1);
        // The port's own reason, through its one closing-on-error path.
        QCOMPARE(messageLine(m_dialogs.last().text), u"La Scheda è stata disconnessa dalla linea USB!"_s);
        QCOMPARE(messageLine(m_dialogs.last().text, 1), u"La porta ha segnalato: "_s + m_port->lastError());
        QCOMPARE(m_port->errorsHandled(), 1);
        QVERIFY(!m_port->isOpen());
        QTest::qWait(300); // nothing more may come of it
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_port->errorsHandled(), 1);
    }

    void writeASlotAndReadItBack()
    {
        // A cycle from a file.
        store::ColourTable t;
        for (int k = 1; k <= 20; ++k) {
            t.row(k).setValue(Field::PointID, k);
            t.row(k).setValue(Field::Time, (k - 1) * 4000 + (k > 18 ? 1000 : 0));
            t.row(k).setValue(Field::Length, 300 + k);
            t.row(k).setValue(Field::Blue, 5 * k);
        }
        const QString path = m_dir.filePath(u"evening.txt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(cyclefile::writeCycle(t, u"01200"_s));
        file.close();
        m_dialogs.answerOpenFile(path);
        click("mnuFileOpen");
        QCOMPARE(m_form->PointCount, 20);
        const QList<store::ColourPoint> opened = storeRows(*m_form);

        click("mnuUsbInterfaceOn");
        QTRY_VERIFY_WITH_TIMEOUT(m_form->SlotNamesLoaded, kWait);
        click("mnuUsbInterfaceOnCycle3");
        m_dialogs.answerMessage(MsgResult::Yes);
        click("mnuUsbInterfaceOnCommandWr");
        QTRY_VERIFY_WITH_TIMEOUT(!item("mnuUsbInterfaceOnCommandWr")->isChecked(), kWait);
        QCOMPARE(m_pty->board().transitionRecord(3), board::transitionRecord(1200, 20));

        // The editor emptied, then slot 3 read back.
        m_dialogs.answerMessage(MsgResult::Yes); // close
        m_dialogs.answerMessage(MsgResult::No);  // without saving
        click("mnuFileClose");
        QCOMPARE(m_form->PointCount, 1);
        m_dialogs.answerMessage(MsgResult::Yes);
        click("mnuUsbInterfaceOnCommandRd");
        QTRY_VERIFY_WITH_TIMEOUT(!item("mnuUsbInterfaceOnCommandRd")->isChecked(), kWait);
        QCOMPARE(m_form->PointCount, 20);
        QCOMPARE(storeRows(*m_form), opened);
        QCOMPARE(m_form->TransitionTime, u"01200"_s);
        QCOMPARE(m_dialogs.shown.size(), 4); // the two confirmations and the close's two questions
    }
};

QTEST_MAIN(TestBoardPty)
#include "test_boardpty.moc"
