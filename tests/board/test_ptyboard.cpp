#include "ptyboard.h"

#include "board/frame.h"
#include "platform/qtserialport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The virtual board on a pseudo-terminal, reached through the real serial
// port with ORVANTA_PORT_DIR.
class TestPtyBoard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_pty = std::make_unique<PtyBoard>();
        if (!m_pty->start(m_dir.path(), 3))
            QSKIP(qPrintable(QStringLiteral("no pseudo-terminal here: ") + m_pty->errorString()));
        qputenv("ORVANTA_PORT_DIR", QFile::encodeName(m_dir.path()));
    }
    void cleanup()
    {
        m_pty.reset();
        qunsetenv("ORVANTA_PORT_DIR");
    }

    void answersAndSurvivesReopening()
    {
        platform::QtSerialPort port;
        QCOMPARE(port.portDevice(3), m_pty->linkPath());
        QVERIFY(platform::QtSerialPort::devicePath(1).isEmpty());
        QVERIFY(!port.open(1));
        for (int round = 0; round < 2; ++round) {
            QVERIFY(port.open(3));
            port.flush();
            port.write(board::identifyFrame());
            QTRY_VERIFY_WITH_TIMEOUT(port.bytesWaiting() >= 3, 2000);
            QCOMPARE(port.readAll(), QByteArrayLiteral("BK\x8D"));
            port.close();
        }
        QCOMPARE(m_pty->board().framesReceived(), 2);
        QCOMPARE(port.errorsHandled(), 0);
    }

    // A wait that runs out (Qt's TimeoutError) is no device error: the
    // port stays open and nothing is reported.
    void timeoutKeepsThePortOpen()
    {
        platform::QtSerialPort port;
        int closed = 0;
        port.setClosedOnError([&closed](const QString &) { ++closed; });
        QVERIFY(port.open(3));
        QVERIFY(!port.waitForBytes(3, 200));
        QVERIFY(port.isOpen());
        port.write(board::identifyFrame());
        QTRY_VERIFY_WITH_TIMEOUT(port.bytesWaiting() >= 3, 2000);
        QCOMPARE(port.errorsHandled(), 0);
        QCOMPARE(closed, 0);
    }

    void lateSplitReplyArrivesWhole()
    {
        m_pty->board().faults.lateMs = 30;
        m_pty->board().faults.splitReplies = true;
        platform::QtSerialPort port;
        QVERIFY(port.open(3));
        port.write(board::readTextFrame('1'));
        QTRY_VERIFY_WITH_TIMEOUT(port.bytesWaiting() >= 11, 2000);
        QCOMPARE(port.readAll(), QByteArrayLiteral("BTCycle1  \xF7"));
    }

    void vanishClosesThePortOnce()
    {
        platform::QtSerialPort port;
        QStringList reasons;
        port.setClosedOnError([&reasons](const QString &reason) { reasons << reason; });
        QVERIFY(port.open(3));
        m_pty->board().faults.vanishAfter = 2;
        port.write(board::identifyFrame());
        QTRY_VERIFY_WITH_TIMEOUT(port.bytesWaiting() >= 3, 2000);
        port.write(board::heartbeatFrame());
        QTRY_VERIFY_WITH_TIMEOUT(!m_pty->isRunning(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!port.isOpen(), 2000);
        QCOMPARE(port.errorsHandled(), 1);

        // A failing device keeps reporting; none of that may get through.
        QElapsedTimer spun;
        spun.start();
        QTRY_VERIFY_WITH_TIMEOUT(spun.elapsed() >= 300, 2000);
        QCOMPARE(port.errorsHandled(), 1);
        QVERIFY(!port.lastError().isEmpty());
        QCOMPARE(reasons, QStringList{port.lastError()});
        QVERIFY(!port.open(3));
        QVERIFY(platform::QtSerialPort::devicePath(3).isEmpty());
    }

    // The tool in its own process, which a blocking wait cannot starve; it
    // removes its link when stopped.
    void toolAnswersABlockingWait()
    {
        QTemporaryDir dir;
        QProcess tool;
        tool.start(QStringLiteral(VIRTUAL_BOARD_TOOL),
                   {QStringLiteral("--dir"), dir.path(), QStringLiteral("--port"), QStringLiteral("4"),
                    QStringLiteral("--names"), QStringLiteral("Dawn")});
        QVERIFY(tool.waitForStarted());
        qputenv("ORVANTA_PORT_DIR", QFile::encodeName(dir.path()));
        QTRY_VERIFY_WITH_TIMEOUT(!platform::QtSerialPort::devicePath(4).isEmpty(), 5000);
        platform::QtSerialPort port;
        QVERIFY(port.open(4));
        port.write(board::readTextFrame('1'));
        QVERIFY(port.waitForBytes(11, 2000));
        QCOMPARE(port.readAll(), QByteArrayLiteral("BTDawn    \xA0"));
        port.close();
        tool.terminate();
        QVERIFY(tool.waitForFinished(5000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("COM4"))).isSymLink());
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PtyBoard> m_pty;
};

QTEST_GUILESS_MAIN(TestPtyBoard)
#include "test_ptyboard.moc"
