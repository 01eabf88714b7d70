// The board session without a window, as a script drives it: the virtual
// board behind the serial seam, the cycle read back into a document.

#include "board/boardsession.h"
#include "editor/cycledocument.h"
#include "support/cycles.h"
#include "virtualport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using board::Job;

class TestBoardSession : public QObject
{
    Q_OBJECT
    board::VirtualBoard m_board;
    board::VirtualSerialPort m_port{m_board, 2};
    board::BoardSession m_session{m_port};

    // Ticks, 50 ms each, until nothing is armed or busy; false past the limit.
    bool runToIdle()
    {
        for (int n = 0; n < 2000; ++n) {
            m_port.advance(50);
            m_session.tick();
            if (!m_session.isBusy() && m_session.armedJobs().isEmpty())
                return true;
        }
        return false;
    }

private Q_SLOTS:
    // Found on COM2 and put in interface mode, the board takes a cycle into
    // slot 3 with verify, gives it back whole and is backed up slot by slot.
    void writeReadBackAndBackUp()
    {
        QList<Job> passed;
        connect(&m_session, &board::BoardSession::jobFinished, this, [&passed](Job job, int, bool success) {
            if (success)
                passed << job;
        });
        editor::CycleDocument document;
        connect(&m_session, &board::BoardSession::cycleRead, &document, [&document](int, const board::ReadCycle &read) {
            editor::CycleState state = document.state();
            for (int r = 1; r <= store::kRowCount; ++r)
                state.rows[std::size_t(r - 1)] = read.table.row(r);
            state.pointCount = quint8(read.pointCount);
            state.transitionTime = store::format00000(read.transitionTime);
            document.restore(state);
        });
        m_session.switchOn(true);
        QVERIFY(runToIdle() && m_session.openPort() == 2);
        QVERIFY(m_session.setMode(board::LinkMode::Interface) && runToIdle());
        m_session.selectSlot(3);
        const store::ColourTable table = sampleTable(12, 3600, 100);
        QVERIFY(m_session.armWrite({&table, 12, 4000}) && runToIdle());
        QVERIFY(m_session.armRead() && runToIdle());
        QCOMPARE(passed, (QList<Job>{Job::Names, Job::Write, Job::Verify, Job::Read}));
        for (int r = 1; r <= store::kRowCount; ++r)
            QCOMPARE(document.table().row(r), table.row(r));
        QVERIFY(document.pointCount() == 12 && document.transitionTime() == 4000);

        QTemporaryDir dir;
        QVERIFY(m_session.startBackup(dir.path()) && runToIdle());
        QCOMPARE(passed.last(), Job::Backup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestBoardSession)
#include "test_boardsession.moc"
