// The board link's rules without a window: frames and records byte for byte,
// the acknowledgement search, and every job tick by tick against the virtual
// board, well and with faults.

#include "board/backup.h"
#include "board/frame.h"
#include "board/jobs.h"
#include "board/link.h"
#include "board/records.h"
#include "virtualboard.h"
#include "virtualport.h"

#include <QTest>

using namespace board;
using namespace Qt::StringLiterals;
using store::Field;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(quint8(v)));
    return out;
}

store::ColourPoint point(int id, qint64 time, qint64 length, int r, int g, int b)
{
    store::ColourPoint p;
    p.setValue(Field::PointID, id);
    p.setValue(Field::Time, time);
    p.setValue(Field::Length, length);
    p.setValue(Field::Red, r);
    p.setValue(Field::Green, g);
    p.setValue(Field::Blue, b);
    return p;
}

// A full cycle of 64 points spread over the day, times and lengths above
// 65535 included.
store::ColourTable fullTable()
{
    store::ColourTable t;
    for (int k = 1; k <= 64; ++k) {
        const qint64 time = k == 1 ? 0 : 66001 + (k - 2) * 300;
        const qint64 length = k == 1 ? 66000 : (k < 64 ? 10 : 1000);
        t.row(k) = point(k, time, length, k % 101, (3 * k) % 101, 100 - k);
    }
    return t;
}

// Runs a job tick by tick on the in-process board, 50 ms a tick, until it
// ends; returns the ticks taken and the last tick.
template <typename Step>
std::pair<int, JobTick> runJob(VirtualSerialPort &port, Step step, int limit = 200)
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

} // namespace

class TestBoardLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void framesByteForByte();
    void replyCheckAndAcknowledgementSearch();
    void pointAndTransitionRecords();
    void blockUnpacking();
    void renameNames_data();
    void renameNames();
    void jobsTakeTheirTicks();
    void writeThenReadGivesTheSameCycle();
    void readStopsAtTheFirstEmptyRecord();
    void jobsFailOnAFaultyBoard_data();
    void jobsFailOnAFaultyBoard();
    void eraseGivesUpAfterItsTries();
    void scanCostsTicksPerPort();
    void backupFileNames_data();
    void backupFileNames();
};

void TestBoardLink::framesByteForByte()
{
    QCOMPARE(identifyFrame(), bytes({'A', 'K', 0x8C}));
    QCOMPARE(heartbeatFrame(), bytes({'A', 'H', 0x89}));
    QCOMPARE(deviceInfoFrame(), bytes({'A', 'D', 0x85}));
    QCOMPARE(eraseFrame(), bytes({'A', 'M', 0x8E}));
    QCOMPARE(emulatorColourFrame(100, 50, 0), bytes({'A', 'E', 100, 50, 0, (0x41 + 0x45 + 150) % 256}));
    for (int k = 1; k <= 8; ++k)
        QCOMPARE(readTextFrame(slotDigit(k)), bytes({'A', 'T', '0' + k, 0xC5 + k}));
    QCOMPARE(cleanFrame('1'), bytes({'A', 'C', '1', 0xB5}));
    QCOMPARE(readBlockFrame('3', blockDigit(15)), bytes({'A', 'R', '3', 'F', (0x41 + 0x52 + 0x33 + 0x46) % 256}));
    QCOMPARE(transitionAddress('1'), '9');
    QCOMPARE(transitionAddress('8'), '@');

    const QByteArray rename = writeTextFrame('4', "abc");
    QCOMPARE(rename.size(), 12);
    QCOMPARE(rename.mid(2, 9), QByteArray("4abc     "));
    QCOMPARE(quint8(rename.back()), checksum(rename.first(11)));

    const QByteArray block = writeBlockFrame('2', 'A', QByteArray(32, char(0xFF)));
    QCOMPARE(block.size(), 37);
    QCOMPARE(block.first(4), QByteArray("AW2A"));
    QCOMPARE(quint8(block.back()), quint8((0x41 + 0x57 + 0x32 + 0x41 + 32 * 0xFF) % 256));
}

void TestBoardLink::replyCheckAndAcknowledgementSearch()
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
    QCOMPARE(ack, bytes({'B', 'E', 0x87}));
    QVERIFY(acknowledgementFound(ack, ack));
    QVERIFY(acknowledgementFound(QByteArray(QByteArray(18, 'x') + ack), ack));
    QVERIFY(!acknowledgementFound(QByteArray(QByteArray(19, 'x') + ack), ack));
    QVERIFY(!acknowledgementFound(ack.first(2), ack));
    QVERIFY(!acknowledgementFound(QByteArray(), ack));
}

void TestBoardLink::pointAndTransitionRecords()
{
    QCOMPARE(pointRecord(point(1, 70000, 100, 10, 20, 30)), bytes({2, 0x11, 0x70, 0, 100, 10, 20, 30}));
    QCOMPARE(pointRecord(point(1, 1000, 65536, 0, 0, 100)), bytes({1, 0x03, 0xE8, 0, 0, 0, 0, 100}));
    QCOMPARE(pointRecord(point(1, 1000, 70000, 0, 0, 0)).mid(3, 2), bytes({0x11, 0x70}));
    QCOMPARE(pointRecord(store::ColourPoint()), QByteArray(8, char(0xFF)));
    QCOMPARE(transitionRecord(86400, 64), bytes({1, 0x51, 0x80, 64, 0xFF, 0xFF, 0xFF, 0xFF}));
    QCOMPARE(transitionRecord(300, 1), bytes({0, 0x01, 0x2C, 1, 0xFF, 0xFF, 0xFF, 0xFF}));

    // A one-point cycle: one point record and 63 empty ones.
    store::ColourTable one;
    one.row(1) = point(1, 0, 0, 50, 50, 50);
    QCOMPARE(blockData(one, 0).first(8), pointRecord(one.row(1)));
    QCOMPARE(blockData(one, 0).mid(8), QByteArray(24, char(0xFF)));
    for (int b = 1; b < 16; ++b)
        QCOMPARE(blockData(one, b), QByteArray(32, char(0xFF)));

    // Reading back: flags restore the high bit, a time above the day ends the cycle.
    const ReadRecord far = readRecord(pointRecord(point(1, 70000, 100, 10, 20, 30)));
    QVERIFY(!far.end);
    QCOMPARE(far.point.value(Field::Time), 70000);
    QCOMPARE(readRecord(pointRecord(point(1, 1000, 66000, 0, 0, 0))).point.value(Field::Length), 66000);
    QVERIFY(readRecord(bytes({2, 0x51, 0x81, 0, 0, 0, 0, 0})).end); // 86401 s
    QVERIFY(!readRecord(bytes({2, 0x51, 0x80, 0, 0, 0, 0, 0})).end); // 86400 s
    QVERIFY(readRecord(QByteArray(8, char(0xFF))).end);
    QCOMPARE(readRecord(bytes({0, 0, 1, 0, 1, 200, 0, 255})).point.text(Field::Red), QStringLiteral("200"));
}

void TestBoardLink::blockUnpacking()
{
    QByteArray block(32, 0);
    block[8] = char(0x9D);
    const QByteArray unpacked = unpackBlock(block);
    QCOMPARE(quint8(unpacked[8]), quint8(0xFF));
    QCOMPARE(quint8(unpacked[16]), quint8(0xFF));
    QCOMPARE(quint8(unpacked[24]), quint8(1));

    // Whatever four records the board keeps, packing and unpacking give them back.
    const QByteArray flags = bytes({0, 1, 2, 0xFF});
    for (char f2 : flags)
        for (char f3 : flags)
            for (char f4 : flags) {
                QByteArray stored = bytes({0, 1, 2, 3, 4, 5, 6, 7});
                for (char f : {f2, f3, f4})
                    stored += QByteArray(1, f) + bytes({9, 9, 9, 9, 9, 9, 9});
                QCOMPARE(unpackBlock(packBlock(stored)), stored);
            }
}

void TestBoardLink::renameNames_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("sent"); // empty: nothing sent
    QTest::addColumn<bool>("refused");
    QTest::newRow("short") << u"abc"_s << QByteArray("abc     ") << false;
    QTest::newRow("eight") << u"Aquarium"_s << QByteArray("Aquarium") << false;
    QTest::newRow("cut") << u"Evening Glow"_s << QByteArray("Evening ") << false;
    QTest::newRow("digits") << u"Day 42"_s << QByteArray("Day 42  ") << false;
    QTest::newRow("bracket") << u"a[b"_s << QByteArray() << true;
    QTest::newRow("underscore") << u"a_b"_s << QByteArray() << true;
    QTest::newRow("colon") << u"12:30"_s << QByteArray() << true;
    QTest::newRow("accent") << QString::fromUtf8("Caffè") << QByteArray() << true;
    QTest::newRow("beyond eight") << u"abcdefgh_"_s << QByteArray("abcdefgh") << false;
    QTest::newRow("empty") << QString() << QByteArray() << false;
}

void TestBoardLink::renameNames()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, sent);
    QFETCH(bool, refused);
    const RenameCheck check = checkRenameText(answer);
    QCOMPARE(check.name.value_or(QByteArray()), sent);
    QCOMPARE(check.refusal.has_value(), refused);
    if (refused) {
        QCOMPARE(check.refusal->text.english,
                 QStringLiteral("The New Name \"") + answer.left(8).leftJustified(8)
                     + QStringLiteral("\" has incorrect characters"));
        QVERIFY(check.refusal->text.italian.endsWith(QStringLiteral("\" ha caratteri non corretti")));
    }
}

void TestBoardLink::jobsTakeTheirTicks()
{
    VirtualBoard board;
    VirtualSerialPort port(board);
    QVERIFY(port.open(1));
    board.setName(3, "Sunrise");

    std::optional<DeviceInfo> info;
    auto [deviceTicks, device] = runJob(port, [&](int v) {
        JobTick t = USBDevice(v, port);
        if (t.device)
            info = t.device;
        return t;
    });
    QCOMPARE(deviceTicks, 6); // steps 0..5
    QVERIFY(device.success);
    QVERIFY(info);
    QCOMPARE(info->name, board.deviceName);
    QCOMPARE(versionText(info->hardware), QStringLiteral("V01.02"));
    QCOMPARE(versionText(0), QStringLiteral("V00.00"));
    QCOMPARE(versionText(0xFF), QStringLiteral("V15.15"));

    // The names come one slot every four ticks; the last tick ends the job.
    QByteArrayList names(9);
    auto [textTicks, text] = runJob(port, [&](int v) {
        JobTick t = USBText(v, port);
        if (t.captionSlot)
            names[t.captionSlot] = t.caption;
        return t;
    });
    QCOMPARE(textTicks, 34);
    QVERIFY(text.success);
    QCOMPARE(names[3], QByteArray("Sunrise "));
    QCOMPARE(names[8], QByteArray("Cycle8  "));

    QByteArray cleaned;
    auto [cleanTicks, clean] = runJob(port, [&](int v) {
        JobTick t = USBClean(v, '3', port);
        if (t.captionSlot == 3)
            cleaned = t.caption;
        return t;
    });
    QCOMPARE(cleanTicks, 8); // steps 0..7
    QVERIFY(clean.success);
    QCOMPARE(cleaned, QByteArray("Cycle3  "));
    QCOMPARE(board.name(3), QByteArray("Cycle3  "));

    int renamedSlot = 0;
    auto [renameTicks, rename] = runJob(port, [&](int v) {
        JobTick t = USBRename(v, '5', "abc     ", port);
        if (t.captionSlot)
            renamedSlot = t.captionSlot;
        return t;
    });
    QCOMPARE(renameTicks, 8);
    QVERIFY(rename.success);
    QCOMPARE(renamedSlot, 5);
    QCOMPARE(board.name(5), QByteArray("abc     "));

    quint8 eraseCount = 0;
    auto [eraseTicks, erase] = runJob(port, [&](int v) { return USBErase(v, eraseCount, port); });
    QVERIFY(erase.success);
    QCOMPARE(eraseTicks, 20); // steps 0..19, the reply found at the first check
    QCOMPARE(board.name(5), QByteArray("Cycle5  "));
}

void TestBoardLink::writeThenReadGivesTheSameCycle()
{
    VirtualBoard board;
    VirtualSerialPort port(board);
    QVERIFY(port.open(1));
    const store::ColourTable table = fullTable();

    const WriteSource source{&table, 64, 86400};
    int blocksSent = 0;
    auto [writeTicks, write] = runJob(port, [&](int v) {
        const qsizetype before = port.written.size();
        JobTick t = USBWrite(v, '5', source, port);
        for (qsizetype i = before; i < port.written.size(); ++i)
            blocksSent += port.written[i].bytes.startsWith("AW5");
        return t;
    });
    QCOMPARE(writeTicks, 56);
    QVERIFY(write.success);
    QCOMPARE(blocksSent, 16);
    QCOMPARE(board.transitionRecord(5), transitionRecord(86400, 64));
    QCOMPARE(port.written.last().bytes.first(3), QByteArray("AN="));

    ReadCycle cycle;
    auto [readTicks, read] = runJob(port, [&](int v) { return USBRead(v, '5', cycle, port); });
    QCOMPARE(readTicks, 55);
    QVERIFY(read.success);
    QCOMPARE(cycle.pointCount, 64);
    QCOMPARE(cycle.transitionTime, 86400);
    for (int r = 1; r <= 64; ++r)
        QVERIFY2(cycle.table.row(r) == table.row(r), qPrintable(QString::number(r)));
}

void TestBoardLink::readStopsAtTheFirstEmptyRecord()
{
    VirtualBoard board;
    VirtualSerialPort port(board);
    QVERIFY(port.open(1));
    store::ColourTable five;
    for (int k = 1; k <= 5; ++k)
        five.row(k) = point(k, (k - 1) * 3600, 60, 20 * k, 0, 100);
    QList<QByteArray> records;
    for (int r = 1; r <= 64; ++r)
        records.append(pointRecord(five.row(r)));
    board.setSlot(2, records, transitionRecord(1800, 5));

    ReadCycle cycle;
    cycle.table.row(9) = point(9, 1, 1, 1, 1, 1); // left over from an earlier read
    auto [ticks, read] = runJob(port, [&](int v) { return USBRead(v, '2', cycle, port); });
    QVERIFY(read.success);
    QCOMPARE(ticks, 13); // two blocks, the transition record, the end
    QCOMPARE(cycle.pointCount, 5);
    QCOMPARE(cycle.transitionTime, 1800);
    QCOMPARE(cycle.table.row(5), five.row(5));
    QCOMPARE(cycle.table.row(6).value(Field::PointID), 0);
    QCOMPARE(cycle.table.row(9).value(Field::PointID), 0);

    // An empty slot reads as no points, with its transition record.
    ReadCycle empty;
    QVERIFY(runJob(port, [&](int v) { return USBRead(v, '7', empty, port); }).second.success);
    QCOMPARE(empty.pointCount, 0);
}

void TestBoardLink::jobsFailOnAFaultyBoard_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("fails");
    for (const char *job : {"device", "text", "clean", "rename", "erase", "write", "read"}) {
        for (const char *fault : {"silent", "checksum", "junk", "split", "late", "vanish"}) {
            // Replies split in two or 20 ms late still arrive before their check.
            const bool fails = QByteArray(fault) != "split" && QByteArray(fault) != "late";
            QTest::newRow(QByteArray(job + QByteArray(" ") + fault).constData()) << job << fault << fails;
        }
    }
}

void TestBoardLink::jobsFailOnAFaultyBoard()
{
    QFETCH(QString, job);
    QFETCH(QString, fault);
    QFETCH(bool, fails);
    VirtualBoard board;
    VirtualSerialPort port(board);
    QVERIFY(port.open(1));
    if (fault == u"silent")
        board.faults.silentAfter = 0;
    else if (fault == u"checksum")
        board.faults.badChecksum = true;
    else if (fault == u"junk")
        board.faults.junkBefore = 2;
    else if (fault == u"split")
        board.faults.splitReplies = true;
    else if (fault == u"late")
        board.faults.lateMs = 20;
    else if (fault == u"vanish")
        board.faults.vanishAfter = 1;

    const store::ColourTable table = fullTable();
    const WriteSource source{&table, 64, 1000};
    ReadCycle cycle;
    quint8 eraseCount = 0;
    const QHash<QString, std::function<JobTick(int)>> jobs{
        {u"device"_s, [&](int v) { return USBDevice(v, port); }},
        {u"text"_s, [&](int v) { return USBText(v, port); }},
        {u"clean"_s, [&](int v) { return USBClean(v, '2', port); }},
        {u"rename"_s, [&](int v) { return USBRename(v, '2', "abc     ", port); }},
        {u"erase"_s, [&](int v) { return USBErase(v, eraseCount, port); }},
        {u"write"_s, [&](int v) { return USBWrite(v, '2', source, port); }},
        {u"read"_s, [&](int v) { return USBRead(v, '2', cycle, port); }},
    };
    if (job == u"read") // a slot with a whole cycle, so every block is asked for
        board.setSlot(2, [&] {
            QList<QByteArray> r;
            for (int k = 1; k <= 64; ++k)
                r.append(pointRecord(table.row(k)));
            return r;
        }(), transitionRecord(1000, 64));
    const auto [ticks, last] = runJob(port, jobs.value(job));
    QVERIFY2(ticks > 0, "the job never ended");
    QCOMPARE(last.success, !fails);
    QCOMPARE(last.failure.has_value(), fails);
    if (fails) {
        QCOMPARE(last.failure->icon, platform::MsgIcon::Critical);
        QCOMPARE(last.failure->title.english, QStringLiteral("Warning"));
    }
    if (fault == u"vanish")
        QVERIFY(port.errors <= 1);
}

void TestBoardLink::eraseGivesUpAfterItsTries()
{
    VirtualBoard board;
    board.faults.silentAfter = 0;
    VirtualSerialPort port(board);
    QVERIFY(port.open(1));
    quint8 count = 0;
    int value = 0;
    int ticksAfterCommand = -1;
    for (int tick = 0; tick < 100; ++tick) {
        port.advance(50);
        const JobTick t = USBErase(value, count, port);
        if (value == 1)
            ticksAfterCommand = 0;
        else if (ticksAfterCommand >= 0 && t.value != kEraseFailure)
            ++ticksAfterCommand;
        if (t.value == kEraseFailure && !t.ended) {
            ++ticksAfterCommand;
            break;
        }
        value = t.value;
    }
    QCOMPARE(ticksAfterCommand, 57);
    QCOMPARE(count, quint8(41));
    const JobTick end = USBErase(kEraseFailure, count, port);
    QVERIFY(end.ended);
    QCOMPARE(end.failure->text.english, QStringLiteral("Erase Memory Failure"));
}

void TestBoardLink::scanCostsTicksPerPort()
{
    VirtualBoard board;
    VirtualSerialPort port(board, 3);
    port.silentPorts = {2};
    ScanState scan;
    QList<int> ticksPerPort(17, 0);
    ScanOutcome outcome = ScanOutcome::Searching;
    int ticks = 0;
    while (outcome == ScanOutcome::Searching && ticks < 100) {
        port.advance(50);
        ++ticksPerPort[scan.port];
        outcome = scanStep(scan, port);
        ++ticks;
    }
    QCOMPARE(outcome, ScanOutcome::Found);
    QCOMPARE(scan.port, 3);
    QCOMPARE(ticksPerPort[1], 1);  // cannot be opened
    QCOMPARE(ticksPerPort[2], 21); // opens, stays silent
    QVERIFY(port.isOpen());
    QCOMPARE(port.written.last().bytes, identifyFrame());

    // No board anywhere: every port tried, then the give-up.
    VirtualBoard none;
    none.faults.silentAfter = 0;
    VirtualSerialPort nowhere(none, 16);
    ScanState all;
    ticks = 0;
    while ((outcome = scanStep(all, nowhere)) == ScanOutcome::Searching && ticks < 1000)
        ++ticks;
    QCOMPARE(outcome, ScanOutcome::GaveUp);
    QCOMPARE(ticks, 15 + 21); // fifteen ports that cannot be opened, one silent
    QVERIFY(!nowhere.isOpen());
}

// A restore takes only the files a backup writes, and each gives back the
// slot and the 8-byte name it was written from.
void TestBoardLink::backupFileNames_data()
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

void TestBoardLink::backupFileNames()
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

QTEST_GUILESS_MAIN(TestBoardLink)
#include "test_boardlink.moc"
