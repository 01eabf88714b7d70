// The board link's rules without a window: frames, replies and records byte
// for byte, the virtual board and its port, every job tick by tick against
// the virtual board, well and with faults, and the board session as a script
// drives it.

#include "board/backup.h"
#include "board/boardsession.h"
#include "board/frame.h"
#include "board/jobs.h"
#include "board/link.h"
#include "board/records.h"
#include "editor/cycledocument.h"
#include "support/cycles.h"
#include "virtualboard.h"
#include "virtualport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace board;
using namespace Qt::StringLiterals;

namespace {

// A full cycle of 64 points spread over the day, times and lengths above
// 65535 included.
store::ColourTable fullTable()
{
    store::ColourTable t;
    for (int k = 1; k <= 64; ++k) {
        const qint64 time = k == 1 ? 0 : 66001 + (k - 2) * 300;
        const qint64 length = k == 1 ? 66000 : (k < 64 ? 10 : 1000);
        t.row(k) = colourPoint({k, time, length, k % 101, (3 * k) % 101, 100 - k});
    }
    return t;
}

QList<QByteArray> records(const store::ColourTable &t)
{
    QList<QByteArray> out;
    for (int r = 1; r <= store::kRowCount; ++r)
        out.append(pointRecord(t.row(r)));
    return out;
}

// Every reply of one receive() call, chunks joined.
QByteArray replyTo(VirtualBoard &b, const QByteArray &frame)
{
    QByteArray out;
    for (const VirtualBoard::Chunk &c : b.receive(frame))
        out += c.bytes;
    return out;
}

const QByteArray kIdentify = "AK\x8C"_ba;
const QByteArray kIdentified = "BK\x8D"_ba;

// Runs a job tick by tick on the in-process board, 50 ms a tick, until it
// ends; returns the ticks taken and the last tick.
std::pair<int, JobTick> runJob(VirtualSerialPort &port, const std::function<JobTick(int)> &step, int limit = 200)
{
    int value = 0;
    for (int ticks = 1; ticks <= limit; ++ticks) {
        port.advance(50);
        const JobTick t = step(value);
        value = t.value;
        if (t.ended)
            return {ticks, t};
    }
    return {-1, JobTick{}};
}

// The jobs by name, on slot 2 (the names and erase on the whole board), the port open.
struct Jobs
{
    Jobs() { port.open(1); }
    VirtualBoard board;
    VirtualSerialPort port{board};
    store::ColourTable table = fullTable();
    WriteSource source{&table, 64, 86400};
    ReadCycle cycle;
    quint8 eraseCount = 0;
    QHash<int, QByteArray> captions;

    std::function<JobTick(int)> job(const QString &name)
    {
        const QHash<QString, std::function<JobTick(int)>> jobs{
            {u"device"_s, [this](int v) { return USBDevice(v, port); }},
            {u"names"_s, [this](int v) { return USBText(v, port); }},
            {u"clean"_s, [this](int v) { return USBClean(v, '2', port); }},
            {u"rename"_s, [this](int v) { return USBRename(v, '2', "abc     ", port); }},
            {u"erase"_s, [this](int v) { return USBErase(v, eraseCount, port); }},
            {u"write"_s, [this](int v) { return USBWrite(v, '2', source, port); }},
            {u"read"_s, [this](int v) { return USBRead(v, '2', cycle, port); }},
        };
        return [this, step = jobs.value(name)](int v) {
            JobTick t = step(v);
            if (t.captionSlot)
                captions[t.captionSlot] = t.caption;
            return t;
        };
    }
};

} // namespace

class TestBoardLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each command as the program builds it, its bytes, and the board's answer.
    void framesAndReplies_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray ones(32, '\x01');
        const QByteArray emptyTransition = QByteArray::fromHex("425400000000FFFFFFFF92");
        QTest::newRow("identify") << identifyFrame() << kIdentify << kIdentified;
        QTest::newRow("heartbeat") << heartbeatFrame() << QByteArray("AH\x89") << "BH\x8A"_ba;
        QTest::newRow("device") << deviceInfoFrame() << QByteArray("AD\x85") << "BDOrvanta RGB-8 \x12\x21\x10\x24"_ba;
        QTest::newRow("erase") << eraseFrame() << QByteArray("AM\x8E") << "BM\x8F"_ba;
        QTest::newRow("emulator") << emulatorColourFrame(10, 20, 30) << QByteArray("AE\x0A\x14\x1E\xC2") << "BE\x87"_ba;
        QTest::newRow("read name 1") << readTextFrame(slotDigit(1)) << QByteArray("AT1\xC6") << "BTCycle1  \xF7"_ba;
        QTest::newRow("read transition 1")
            << readTextFrame(transitionAddress('1')) << QByteArray("AT9\xCE") << emptyTransition;
        QTest::newRow("read transition 8")
            << readTextFrame(transitionAddress(slotDigit(8))) << QByteArray("AT@\xD5") << emptyTransition;
        QTest::newRow("write name") << writeTextFrame('2', "Sunrise") << QByteArray("AN2Sunrise \xCA")
                                    << "BNSunrise \x99"_ba;
        QTest::newRow("clean") << cleanFrame('1') << QByteArray("AC1\xB5") << "BCCycle1  \xE6"_ba;
        QTest::newRow("read block") << readBlockFrame('3', blockDigit(15)) << QByteArray("AR3F\x0C")
                                    << QByteArray::fromHex("FFFFFFFFFFFFFFFFBCFFFFFFFFFFFFFF"
                                                           "00FFFFFFFFFFFFFF00FFFFFFFFFFFFFFE0");
        QTest::newRow("write block") << writeBlockFrame('8', 'F', ones) << "AW8F" + ones + char(0x36) << "BW\x99"_ba;
    }
    void framesAndReplies()
    {
        QFETCH(QByteArray, frame);
        QTEST(frame, "bytes");
        VirtualBoard b;
        QTEST(replyTo(b, frame), "reply");
        QCOMPARE(b.framesReceived(), 1);
    }

    void replyCheckAndAcknowledgementSearch()
    {
        const QByteArray good = dataReply('T', "Sunrise ");
        QVERIFY(replyOk(good, 'T', 11));
        QVERIFY(replyOk(QByteArray(good + "junk"), 'T', 11)); // bytes beyond the reply are ignored
        QByteArray wrongLast = good;
        wrongLast[10] = char(wrongLast[10] + 1);
        QVERIFY(!replyOk(wrongLast, 'T', 11));
        QVERIFY(!replyOk(good.first(10), 'T', 11));
        QVERIFY(!replyOk(dataReply('N', "Sunrise "), 'T', 11));

        // The acknowledgement is seen at positions 1 to 19 of the text read, not at 20.
        const QByteArray ack = ackReply('E');
        QVERIFY(acknowledgementFound(ack, ack));
        QVERIFY(acknowledgementFound(QByteArray(QByteArray(18, 'x') + ack), ack));
        QVERIFY(!acknowledgementFound(QByteArray(QByteArray(19, 'x') + ack), ack));
        QVERIFY(!acknowledgementFound(ack.first(2), ack));
    }

    // A point's record, and the point read back from it: a time of 65536 s and
    // more sets flag 2, a length of 65536 s and more flag 1, each with the low word.
    void pointRecords_data()
    {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QByteArray>("record");
        // Flag, time, length, red, green, blue.
        QTest::newRow("plain") << qint64(3600) << qint64(60) << QByteArray::fromHex("00 0E10 003C 0A141E");
        QTest::newRow("time 65535") << qint64(65535) << qint64(60) << QByteArray::fromHex("00 FFFF 003C 0A141E");
        QTest::newRow("time 65536") << qint64(65536) << qint64(60) << QByteArray::fromHex("02 0000 003C 0A141E");
        QTest::newRow("time 70000") << qint64(70000) << qint64(100) << QByteArray::fromHex("02 1170 0064 0A141E");
        QTest::newRow("day end") << qint64(86400) << qint64(0) << QByteArray::fromHex("02 5180 0000 0A141E");
        QTest::newRow("length 65536") << qint64(1000) << qint64(65536) << QByteArray::fromHex("01 03E8 0000 0A141E");
    }
    void pointRecords()
    {
        QFETCH(qint64, time);
        QFETCH(qint64, length);
        QFETCH(QByteArray, record);
        QCOMPARE(pointRecord(colourPoint({1, time, length, 10, 20, 30})), record);
        const ReadRecord read = readRecord(record);
        QVERIFY(!read.end);
        QVERIFY(read.point == colourPoint({0, time, length, 10, 20, 30})); // numbered by the caller
    }

    void transitionAndEmptyRecords()
    {
        QCOMPARE(transitionRecord(86400, 64), QByteArray::fromHex("01 5180 40 FFFFFFFF"));
        QCOMPARE(transitionRecord(300, 1), QByteArray::fromHex("00 012C 01 FFFFFFFF"));
        QCOMPARE(pointRecord(store::ColourPoint()), QByteArray(8, char(0xFF)));
        QVERIFY(readRecord(QByteArray(8, char(0xFF))).end);
        QVERIFY(readRecord(QByteArray::fromHex("02 5181 0000 000000")).end); // 86401 s ends the cycle
    }

    // A block written is read back packed: the flags of records 2 to 4 in byte 9.
    void blockPackedForReading_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<int>("packed9");
        const QByteArray point = QByteArray::fromHex("00012C0005640000");
        QTest::newRow("empty 2 and 3, flag 1 in 4")
            << point + QByteArray(16, '\xFF') + QByteArray::fromHex("010000000A0B0C0D") << 0x9C;
        QTest::newRow("flags 2, 1, 0") << point + QByteArray::fromHex("02000100020A0B0C0100050006010203") + point
                                       << 0x06;
    }
    void blockPackedForReading()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, packed9);
        VirtualBoard b;
        b.receive(writeBlockFrame('2', '7', block));
        const QByteArray reply = replyTo(b, QByteArrayLiteral("AR27") + char(0xFC));
        QCOMPARE(reply.size(), 33);
        QCOMPARE(quint8(reply[8]), quint8(packed9));
        QCOMPARE(unpackBlock(reply.first(32)), block);
        QCOMPARE(quint8(reply[32]), checksum(block));

        // Whatever four records the board keeps, packing and unpacking give them back.
        const QByteArray flags = QByteArray::fromHex("000102FF");
        for (char f2 : flags)
            for (char f3 : flags)
                for (char f4 : flags) {
                    QByteArray stored = QByteArray::fromHex("0001020304050607");
                    for (char f : {f2, f3, f4})
                        stored += QByteArray(1, f) + QByteArray(7, '\x09');
                    QCOMPARE(unpackBlock(packBlock(stored)), stored);
                }
    }

    void badFramesUnansweredAndResync_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("bad checksum") << QByteArrayLiteral("AT1\xC7");
        QTest::newRow("text address 0") << readTextFrame('0');
        QTest::newRow("slot 9") << cleanFrame('9');
        QTest::newRow("block G") << readBlockFrame('1', 'G');
        QTest::newRow("noise") << QByteArrayLiteral("\x00\xFFxyz");
    }
    void badFramesUnansweredAndResync()
    {
        QFETCH(QByteArray, frame);
        VirtualBoard b;
        QCOMPARE(replyTo(b, frame), QByteArray());
        QCOMPARE(replyTo(b, frame + kIdentify + frame + kIdentify), kIdentified + kIdentified);
    }

    void frameInPiecesAnsweredWhenWhole()
    {
        VirtualBoard b;
        const QByteArray frame = writeBlockFrame('1', '0', QByteArray(32, '\x05'));
        QVERIFY(b.receive(frame.first(20)).isEmpty());
        QCOMPARE(replyTo(b, frame.sliced(20) + kIdentify.first(1)), QByteArrayLiteral("BW\x99"));
        QVERIFY(b.receive(kIdentify.sliced(1, 1)).isEmpty());
        QCOMPARE(replyTo(b, kIdentify.sliced(2)), kIdentified);
    }

    void renameNames_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("sent"); // empty: nothing sent
        QTest::addColumn<bool>("refused");
        QTest::newRow("short") << u"abc"_s << QByteArray("abc     ") << false;
        QTest::newRow("bracket") << u"a[b"_s << QByteArray() << true;
        QTest::newRow("accent") << QString::fromUtf8("Caffè") << QByteArray() << true;
        QTest::newRow("beyond eight") << u"abcdefgh_"_s << QByteArray("abcdefgh") << false;
    }
    void renameNames()
    {
        QFETCH(QString, answer);
        QFETCH(bool, refused);
        const RenameCheck check = checkRenameText(answer);
        QTEST(check.name.value_or(QByteArray()), "sent");
        QCOMPARE(check.refusal.has_value(), refused);
        if (refused)
            QCOMPARE(check.refusal->text.english,
                     u"The New Name \""_s + answer.left(8).leftJustified(8) + u"\" has incorrect characters"_s);
    }

    // The ticks each job takes on a good board, and what it leaves there (the
    // device information shows in the window, see test_boardform).
    void jobsTakeTheirTicks_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<int>("points"); // in slot 2 before the job
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QByteArray>("name"); // slot 2's name afterwards, and its caption if one is shown
        QTest::newRow("device") << u"device"_s << 0 << 6 << QByteArray("Sunrise ");
        QTest::newRow("clean") << u"clean"_s << 64 << 8 << QByteArray("Cycle2  ");
        QTest::newRow("erase: the reply at the first check") << u"erase"_s << 64 << 20 << QByteArray("Cycle2  ");
        QTest::newRow("write: 16 blocks and the transition") << u"write"_s << 0 << 56 << QByteArray("Sunrise ");
        QTest::newRow("read 64 points") << u"read"_s << 64 << 55 << QByteArray("Sunrise ");
        QTest::newRow("read 5 points: two blocks") << u"read"_s << 5 << 13 << QByteArray("Sunrise ");
        QTest::newRow("read an empty slot") << u"read"_s << 0 << 10 << QByteArray("Sunrise ");
    }
    void jobsTakeTheirTicks()
    {
        QFETCH(QString, job);
        QFETCH(int, points);
        QFETCH(QByteArray, name);
        Jobs j;
        j.board.setName(2, "Sunrise");
        store::ColourTable stored = fullTable();
        for (int r = points + 1; r <= 64; ++r)
            stored.row(r).clear();
        j.board.setSlot(2, records(stored), transitionRecord(1800, points));
        j.cycle.table.row(9) = colourPoint({9, 1, 1, 1, 1, 1}); // left over from an earlier read

        const auto [taken, last] = runJob(j.port, j.job(job));
        QTEST(taken, "ticks");
        QVERIFY(last.success);
        QCOMPARE(j.board.name(2), name);
        if (j.captions.contains(2))
            QCOMPARE(j.captions[2], name);
        if (job == u"clean" || job == u"erase")
            QCOMPARE(j.board.transitionRecord(2), QByteArray::fromHex("00000000FFFFFFFF"));
        if (job == u"write") { // what was written reads back the same
            QVERIFY(runJob(j.port, j.job(u"read"_s)).second.success);
            // The verify finds no difference; a transition one second off is told apart.
            QCOMPARE(firstDifference(writtenCycle(j.source), j.cycle), 0);
            ReadCycle other = j.cycle;
            ++other.transitionTime;
            QCOMPARE(firstDifference(writtenCycle(j.source), other), kTransitionDiffers);
            stored = j.table;
            points = 64;
        }
        if (job == u"read" || job == u"write") {
            QCOMPARE(j.cycle.pointCount, points);
            QCOMPARE(j.cycle.transitionTime, job == u"write" ? 86400 : 1800);
            for (int r = 1; r <= 64; ++r)
                QVERIFY2(j.cycle.table.row(r) == stored.row(r), qPrintable(QString::number(r)));
        }
    }

    void jobsFailOnAFaultyBoard_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<BoardFaults>("faults");
        const std::pair<const char *, BoardFaults> faults[] = {
            {"silent", {.silentAfter = 0}}, {"checksum", {.badChecksum = true}},
            {"junk", {.junkBefore = 2}},    {"split", {.splitReplies = true}},
            {"late", {.lateMs = 20}},       {"vanish", {.vanishAfter = 1}}};
        for (const char *job : {"device", "names", "clean", "rename", "erase", "write", "read"}) {
            for (const auto &[fault, f] : faults)
                QTest::newRow(QByteArray(job + QByteArray(" ") + fault).constData()) << QString::fromLatin1(job) << f;
        }
    }
    void jobsFailOnAFaultyBoard()
    {
        QFETCH(QString, job);
        QFETCH(BoardFaults, faults);
        // Replies split in two or 20 ms late still arrive before their check.
        const bool fails = !faults.splitReplies && faults.lateMs == 0;
        Jobs j;
        j.board.setSlot(2, records(j.table), transitionRecord(1000, 64)); // every block is asked for
        j.board.faults = faults;
        const auto [ticks, last] = runJob(j.port, j.job(job));
        QVERIFY2(ticks > 0, "the job never ended");
        QCOMPARE(last.success, !fails);
        QCOMPARE(last.failure.has_value(), fails);
        if (fails)
            QCOMPARE(last.failure->icon, platform::MsgIcon::Critical);
        QVERIFY(j.port.errors <= 1);
        if (job == u"erase" && faults.silentAfter == 0) { // steps 0 to 17, the check 41 times, the failure
            QCOMPARE(ticks, 60);
            QCOMPARE(j.eraseCount, quint8(41));
            QCOMPARE(last.failure->text.english, u"Erase Memory Failure"_s);
        }
    }

    // A board that stops answering well after the first block: the write ends
    // at that block's check, with its message, and writes no block after it.
    void writeEndsAtTheFailingBlock_data()
    {
        QTest::addColumn<BoardFaults>("faults");
        QTest::addColumn<int>("blocks"); // -1: not counted
        QTest::newRow("silent") << BoardFaults{.silentAfter = 1} << -1;
        QTest::newRow("wrong reply") << BoardFaults{.badChecksum = true} << 2;
    }
    void writeEndsAtTheFailingBlock()
    {
        QFETCH(BoardFaults, faults);
        QFETCH(int, blocks);
        Jobs j;
        const auto step = j.job(u"write"_s);
        const auto [ticks, last] = runJob(j.port, [&](int v) {
            if (v == 4) // block 0 answered; its check sends block 1
                j.board.faults = faults;
            return step(v);
        });
        QCOMPARE(ticks, 9); // steps 0 to 7, the second block's check at 7, then the failure
        QVERIFY(!last.success);
        QCOMPARE(last.failure->text.english, u"Write Failure"_s);
        if (blocks >= 0)
            QCOMPARE(j.board.framesReceived(), blocks);
    }

    // A restore takes only the files a backup writes, and each gives back the
    // slot and the 8-byte name it was written from.
    void backupFileNames_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("slot"); // 0: not a backup file
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << u"Slot3-Aquarium.txt"_s << 3 << QByteArray("Aquarium");
        QTest::newRow("padded") << u"Slot2-Dawn.txt"_s << 2 << QByteArray("Dawn    ");
        QTest::newRow("coded bytes") << u"Slot8-a%2Fb%E9%25.txt"_s << 8 << QByteArray("a/b\xe9%   ");
        QTest::newRow("empty name") << u"Slot5-.txt"_s << 5 << QByteArray("        ");
        QTest::newRow("slot 9") << u"Slot9-x.txt"_s << 0 << QByteArray();
        QTest::newRow("nine bytes") << u"Slot3-123456789.txt"_s << 0 << QByteArray();
        QTest::newRow("half a code") << u"Slot3-a%2.txt"_s << 0 << QByteArray();
        QTest::newRow("not a code") << u"Slot3-%zz.txt"_s << 0 << QByteArray();
        QTest::newRow("lower case") << u"slot3-a.txt"_s << 0 << QByteArray();
        QTest::newRow("other file") << u"Aquarium.txt"_s << 0 << QByteArray();
        QTest::newRow("temporary") << u"Slot3-a.txt.tmp"_s << 0 << QByteArray();
    }
    void backupFileNames()
    {
        QFETCH(QString, fileName);
        QFETCH(int, slot);
        QFETCH(QByteArray, name);
        const std::optional<board::BackupFile> file = board::parseBackupFileName(fileName);
        QCOMPARE(file.has_value(), slot != 0);
        if (!file)
            return;
        QCOMPARE(file->slot, slot);
        QCOMPARE(file->name, name);
        QCOMPARE(board::backupFileName(slot, name), fileName.replace(u"%e9"_s, u"%E9"_s));
    }

    // The session found on COM2 and put in interface mode: a cycle written
    // into slot 3 with verify, read back whole into a document, then the
    // eight slots backed up into a folder.
    void sessionWritesReadsBackAndBacksUp()
    {
        VirtualBoard b;
        VirtualSerialPort port(b, 2);
        BoardSession session(port);
        const auto runToIdle = [&port, &session] {
            for (int n = 0; n < 2000; ++n) {
                port.advance(50);
                session.tick();
                if (!session.isBusy() && session.armedJobs().isEmpty())
                    return true;
            }
            return false;
        };
        QList<Job> passed;
        connect(&session, &BoardSession::jobFinished, this, [&passed](Job job, int, bool success) {
            if (success)
                passed << job;
        });
        editor::CycleDocument document;
        connect(&session, &BoardSession::cycleRead, &document, [&document](int, const ReadCycle &read) {
            document.setCycle(read.table, read.pointCount, read.transitionTime);
        });
        session.switchOn(true);
        QVERIFY(runToIdle() && session.openPort() == 2);
        QVERIFY(session.setMode(LinkMode::Interface) && runToIdle());
        session.selectSlot(3);
        const store::ColourTable table = fullTable();
        QVERIFY(session.armWrite({&table, 64, 4000}) && runToIdle());
        QVERIFY(session.armRead() && runToIdle());
        QCOMPARE(passed, (QList<Job>{Job::Names, Job::Write, Job::Verify, Job::Read}));
        for (int r = 1; r <= store::kRowCount; ++r)
            QVERIFY(document.table().row(r) == table.row(r));
        QVERIFY(document.pointCount() == 64 && document.transitionTime() == 4000);
        // A shift of the points from 2 on, one step of the document's history, undone and redone.
        const editor::CycleState read = document.state();
        for (int r = 2; r <= 64; ++r)
            document.table().row(r).setValue(store::Field::Time,
                                             document.table().row(r).value(store::Field::Time) + 60);
        document.record(read, editor::shiftLabel(2));
        const editor::CycleState shifted = document.state();
        document.history()->undo();
        QVERIFY(document.state().sameCycle(read) && !document.isModified());
        document.history()->redo();
        QVERIFY(document.state().sameCycle(shifted) && !read.sameCycle(shifted) && document.isModified());
        QTemporaryDir dir;
        QVERIFY(session.startBackup(dir.path()) && runToIdle());
        QCOMPARE(passed.last(), Job::Backup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestBoardLink)
#include "test_boardlink.moc"
