// The board link through the real serial port, against the virtual board
// served on a pseudo-terminal in this process (and the tool in its own): the
// port alone, then the window on its own timer.

#include "board/frame.h"
#include "platform/qtserialport.h"
#include "ptyboard.h"
#include "support/boardfixture.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using platform::MsgResult;

constexpr int kWait = 15000; // generous: the whole scan of two ports takes about 1.1 s

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
        qputenv("ORVANTA_PORT_DIR", QFile::encodeName(m_dir.path()));
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

    // The board answers across reopenings, a late reply in two pieces whole; a
    // wait that runs out (Qt's TimeoutError) is no device error: the port stays
    // open, nothing reported. Then the board vanishes, and the tool answers.
    void portAnswersWaitsOutTimeoutsAndClosesOnceWhenTheBoardVanishes()
    {
        platform::QtSerialPort port;
        QStringList reasons;
        port.setClosedOnError([&reasons](const platform::SerialPort::PortFailure &reason) {
            reasons << (reason.error == platform::SerialPort::PortError::Removed ? reason.detail : u"?"_s);
        });
        QCOMPARE(port.portDevice(2), m_pty->linkPath());
        QVERIFY(platform::QtSerialPort::devicePath(1).isEmpty());
        QVERIFY(!port.open(1));
        const std::pair<QByteArray, QByteArray> rounds[] = {
            {board::identifyFrame(), QByteArrayLiteral("BK\x8D")},
            {board::readTextFrame('1'), QByteArrayLiteral("BTCycle1  \xF7")}};
        for (const auto &[frame, reply] : rounds) {
            QVERIFY(port.open(2));
            port.flush();
            port.write(frame);
            QTRY_VERIFY_WITH_TIMEOUT(port.bytesWaiting() >= reply.size(), 2000);
            QCOMPARE(port.readAll(), reply);
            port.close();
            m_pty->board().faults.lateMs = 30;
            m_pty->board().faults.splitReplies = true;
        }
        QVERIFY(port.open(2));
        QVERIFY(!port.waitForBytes(3, 200));
        platform::QtSerialPort other; // a device held by one port is busy for another
        QVERIFY(!other.open(2) && other.openFailure().error == platform::SerialPort::PortError::Busy);
        QVERIFY(port.isOpen());
        QCOMPARE(m_pty->board().framesReceived(), 2);
        QVERIFY(reasons.isEmpty());

        // The board vanishes at the next frame: the port closes once, with its
        // reason, as a device removed; a failing device keeps reporting, none of
        // that may get through.
        m_pty->board().faults.vanishAfter = 3;
        port.write(board::heartbeatFrame());
        QTRY_VERIFY_WITH_TIMEOUT(!m_pty->isRunning(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!port.isOpen(), 2000);
        QTest::qWait(300);
        QVERIFY(!port.lastError().isEmpty());
        QCOMPARE(reasons, QStringList{port.lastError()});
        QVERIFY(!port.open(2));
        QVERIFY(platform::QtSerialPort::devicePath(2).isEmpty());

        // The tool in its own process, which a blocking wait cannot starve; it
        // removes its link when stopped.
        QProcess tool;
        tool.start(QStringLiteral(VIRTUAL_BOARD_TOOL),
                   {u"--dir"_s, m_dir.path(), u"--port"_s, u"4"_s, u"--names"_s, u"Dawn"_s});
        QVERIFY(tool.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!platform::QtSerialPort::devicePath(4).isEmpty(), 5000);
        QVERIFY(port.open(4));
        port.write(board::readTextFrame('1'));
        QVERIFY(port.waitForBytes(11, 2000));
        QCOMPARE(port.readAll(), QByteArrayLiteral("BTDawn    \xA0"));
        port.close();
        tool.terminate();
        QVERIFY(tool.waitForFinished(5000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFileInfo(m_dir.filePath(u"COM4"_s)).isSymLink());
    }

    // A cycle written into a slot reads back the same.
    void writeAndReadBack()
    {
        m_port = std::make_unique<platform::QtSerialPort>();
        m_form = std::make_unique<FormColour>(m_dialogs, *m_port);
        click("mnuUsbOn"); // COM1 is missing, the board answers on COM2
        QTRY_VERIFY_WITH_TIMEOUT(m_form->boardSession().isOnline(), kWait);
        QCOMPARE(child<QLabel>(*m_form, "StatusBarPanel2")->text(), u"Scheda USB Abilitata sulla PORT02"_s);
        const QList<store::ColourPoint> written = loadCycle(*m_form, 20, 1200);
        click("mnuUsbInterfaceOn");
        QTRY_VERIFY_WITH_TIMEOUT(m_form->boardSession().namesLoaded(), kWait);
        click("mnuUsbInterfaceOnCycle3");
        m_dialogs.answerMessage(MsgResult::Yes);
        click("mnuUsbInterfaceOnCommandWr");
        QTRY_VERIFY_WITH_TIMEOUT(!item("mnuUsbInterfaceOnCommandWr")->isChecked(), kWait);

        // Another cycle in the editor, then slot 3 read back.
        loadCycle(*m_form, 2, 0);
        m_dialogs.answerMessage(MsgResult::Yes);
        click("mnuUsbInterfaceOnCommandRd");
        QTRY_VERIFY_WITH_TIMEOUT(!item("mnuUsbInterfaceOnCommandRd")->isChecked(), kWait);
        QCOMPARE(storeRows(*m_form), written);
        QCOMPARE(m_form->document().transitionText(), u"01200"_s);
        QCOMPARE(m_dialogs.shown.size(), 2); // the two confirmations
        QCOMPARE(m_port->errorsHandled(), 0);
    }
};

QTEST_MAIN(TestBoardPty)
#include "test_boardpty.moc"
