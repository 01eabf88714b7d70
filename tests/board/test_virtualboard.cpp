#include "board/frame.h"
#include "board/records.h"
#include "virtualboard.h"
#include "virtualport.h"

#include <QTest>

using board::VirtualBoard;
using board::VirtualSerialPort;

namespace {

// Every reply of one receive() call, chunks joined.
QByteArray replyTo(VirtualBoard &b, const QByteArray &bytes)
{
    QByteArray out;
    for (const VirtualBoard::Chunk &c : b.receive(bytes))
        out += c.bytes;
    return out;
}

const QByteArray kIdentify = QByteArrayLiteral("AK\x8C");
const QByteArray kIdentified = QByteArrayLiteral("BK\x8D");

} // namespace

class TestVirtualBoard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyCommandAnswered_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray ones(32, '\x01');
        QTest::newRow("identify") << kIdentify << kIdentified;
        QTest::newRow("emulator") << QByteArrayLiteral("AE\x0A\x14\x1E\xC2") << QByteArrayLiteral("BE\x87");
        QTest::newRow("heartbeat") << QByteArrayLiteral("AH\x89") << QByteArrayLiteral("BH\x8A");
        QTest::newRow("device") << QByteArrayLiteral("AD\x85") << QByteArrayLiteral("BDOrvanta RGB-8 \x12\x21\x10\x24");
        QTest::newRow("read name") << QByteArrayLiteral("AT1\xC6") << QByteArrayLiteral("BTCycle1  \xF7");
        QTest::newRow("read transition 8") << QByteArrayLiteral("AT@\xD5")
                                           << QByteArray::fromHex("4254000000"
                                                                  "00FFFFFFFF92");
        QTest::newRow("write name") << QByteArrayLiteral("AN2Sunrise \xCA") << QByteArrayLiteral("BNSunrise \x99");
        QTest::newRow("clean") << QByteArrayLiteral("AC1\xB5") << QByteArrayLiteral("BCCycle1  \xE6");
        QTest::newRow("erase") << QByteArrayLiteral("AM\x8E") << QByteArrayLiteral("BM\x8F");
        QTest::newRow("write block") << board::writeBlockFrame('8', 'F', ones) << QByteArrayLiteral("BW\x99");
    }
    void everyCommandAnswered()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, reply);
        VirtualBoard b;
        QCOMPARE(replyTo(b, frame), reply);
        QCOMPARE(b.framesReceived(), 1);
    }

    void commandsChangeWhatIsStored()
    {
        VirtualBoard b;
        b.receive(board::emulatorColourFrame(10, 20, 100));
        QCOMPARE(b.emulatorColour(), (std::array<int, 3>{10, 20, 100}));

        const QByteArray block = QByteArray::fromHex("0001020304050607"
                                                     "FFFFFFFFFFFFFFFF"
                                                     "01000000000A0B0C"
                                                     "0201020304050607");
        b.receive(board::writeBlockFrame('3', 'A', block));
        b.receive(board::writeTextFrame('3', "Evening "));
        b.receive(board::writeTextFrame(board::transitionAddress('3'), QByteArray::fromHex("0100100AFFFFFFFF")));
        QCOMPARE(b.storedBlock(3, 10), block);
        QCOMPARE(b.name(3), QByteArray("Evening "));
        QCOMPARE(replyTo(b, board::readTextFrame(';')), board::dataReply('T', b.transitionRecord(3)));
        QCOMPARE(b.transitionRecord(3), QByteArray::fromHex("0100100AFFFFFFFF"));

        QCOMPARE(replyTo(b, QByteArrayLiteral("AC3\xB7")), QByteArrayLiteral("BCCycle3  \xE8"));
        QCOMPARE(b.storedBlock(3, 10), QByteArray(32, '\xFF'));
        QCOMPARE(b.transitionRecord(3), QByteArray::fromHex("00000000FFFFFFFF"));

        b.setName(5, "Aquarium");
        b.setSlot(7, {board::emptyRecord()}, board::transitionRecord(70000, 1));
        b.receive(board::eraseFrame());
        QCOMPARE(b.name(5), QByteArray("Cycle5  "));
        QCOMPARE(b.transitionRecord(7), QByteArray::fromHex("00000000FFFFFFFF"));
    }

    void blockReadBackPacked_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<int>("packed9");
        const QByteArray point = QByteArray::fromHex("00012C0005640000");
        QTest::newRow("empty 2 and 3, flag 1 in 4")
            << point + QByteArray(16, '\xFF') + QByteArray::fromHex("010000000A0B0C0D") << 0x9C;
        QTest::newRow("flags 2, 1, 0") << point
                                              + QByteArray::fromHex("02000100020A0B0C"
                                                                    "0100050006010203")
                                              + point
                                       << 0x06;
        QTest::newRow("all empty") << QByteArray(32, '\xFF') << 0xBC;
    }
    void blockReadBackPacked()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, packed9);
        VirtualBoard b;
        b.receive(board::writeBlockFrame('2', '7', block));
        const QByteArray reply = replyTo(b, QByteArrayLiteral("AR27") + char(0xFC));
        QCOMPARE(reply.size(), 33);
        QCOMPARE(quint8(reply[8]), quint8(packed9));
        QCOMPARE(board::unpackBlock(reply.first(32)), block);
        QCOMPARE(quint8(reply[32]), board::checksum(block));
    }

    void badFramesUnansweredAndResync_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("bad checksum") << QByteArrayLiteral("AT1\xC7");
        QTest::newRow("text address 0") << board::readTextFrame('0');
        QTest::newRow("text address past @") << board::readTextFrame('A');
        QTest::newRow("slot 9") << board::cleanFrame('9');
        QTest::newRow("block G") << board::readBlockFrame('1', 'G');
        QTest::newRow("block lower case") << board::writeBlockFrame('1', 'a', QByteArray(32, '\0'));
        QTest::newRow("unknown letter") << QByteArrayLiteral("AZ\x01\x02");
        QTest::newRow("noise") << QByteArrayLiteral("\x00\xFFxyz");
    }
    void badFramesUnansweredAndResync()
    {
        QFETCH(QByteArray, bytes);
        VirtualBoard b;
        QCOMPARE(replyTo(b, bytes), QByteArray());
        QCOMPARE(replyTo(b, kIdentify), kIdentified);
        QCOMPARE(replyTo(b, bytes + kIdentify + bytes + kIdentify), kIdentified + kIdentified);
    }

    void frameInPiecesAnsweredWhenWhole()
    {
        VirtualBoard b;
        const QByteArray frame = board::writeBlockFrame('1', '0', QByteArray(32, '\x05'));
        QVERIFY(b.receive(frame.first(20)).isEmpty());
        QCOMPARE(replyTo(b, frame.sliced(20) + kIdentify.first(1)), QByteArrayLiteral("BW\x99"));
        QVERIFY(b.receive(kIdentify.sliced(1, 1)).isEmpty());
        QCOMPARE(replyTo(b, kIdentify.sliced(2)), kIdentified);
        QCOMPARE(b.framesReceived(), 2);
    }

    void faultsOnTheBoard()
    {
        VirtualBoard silent;
        silent.faults.silentAfter = 2;
        QCOMPARE(replyTo(silent, kIdentify + kIdentify + kIdentify), kIdentified + kIdentified);

        VirtualBoard noisy;
        noisy.faults.badChecksum = true;
        noisy.faults.junkBefore = 3;
        QCOMPARE(replyTo(noisy, kIdentify), QByteArrayLiteral("\x00\x55\x00"
                                                              "BK\x8E"));

        VirtualBoard split;
        split.faults.splitReplies = true;
        split.faults.splitDelayMs = 30;
        split.faults.lateMs = 100;
        const QList<VirtualBoard::Chunk> chunks = split.receive(QByteArrayLiteral("AT1\xC6"));
        QCOMPARE(chunks.size(), 2);
        QCOMPARE(chunks[0].delayMs, 100);
        QCOMPARE(chunks[1].delayMs, 130);
        QCOMPARE(chunks[0].bytes + chunks[1].bytes, QByteArrayLiteral("BTCycle1  \xF7"));

        VirtualBoard gone;
        gone.faults.vanishAfter = 2;
        QCOMPARE(replyTo(gone, kIdentify), kIdentified);
        QVERIFY(!gone.vanished());
        QCOMPARE(replyTo(gone, kIdentify + kIdentify), QByteArray());
        QVERIFY(gone.vanished());
        QCOMPARE(gone.framesReceived(), 2);
    }

    void portDeliversByTheClock()
    {
        VirtualBoard b;
        VirtualSerialPort port(b, 2);
        port.silentPorts = {5};
        QVERIFY(!port.open(1));
        QVERIFY(port.open(5));
        port.write(kIdentify);
        port.advance(50);
        QCOMPARE(port.bytesWaiting(), 0);
        QCOMPARE(b.framesReceived(), 0);

        QVERIFY(port.open(2));
        port.write(QByteArrayLiteral("AK"));
        port.close(); // the half frame is dropped with the port
        QVERIFY(port.open(2));
        port.write(QByteArrayLiteral("\x8C") + kIdentify);
        QCOMPARE(port.bytesWaiting(), 0); // on the line, not yet received
        port.advance(50);
        QCOMPARE(port.readAll(), kIdentified);
        QCOMPARE(port.written.size(), 3);
        QCOMPARE(port.written.first().port, 5);

        b.faults.lateMs = 100;
        port.write(kIdentify);
        port.advance(50);
        port.flush();
        QCOMPARE(port.bytesWaiting(), 0);
        port.advance(50);
        QCOMPARE(port.readAll(), kIdentified); // flush spared the late reply

        b.faults = {};
        b.faults.splitReplies = true;
        b.faults.splitDelayMs = 20;
        port.write(QByteArrayLiteral("AD\x85"));
        port.advance(10);
        QCOMPARE(port.readAll(), QByteArrayLiteral("BDOrvanta "));
        port.advance(10);
        QCOMPARE(port.readAll(), QByteArrayLiteral("RGB-8 \x12\x21\x10\x24"));
    }

    void waitingMovesTheClock()
    {
        VirtualBoard b;
        b.faults.lateMs = 100;
        VirtualSerialPort port(b);
        QVERIFY(port.open(1));
        port.write(kIdentify);
        QVERIFY(!port.waitForBytes(3, 60));
        QCOMPARE(port.now(), 60);
        QVERIFY(port.waitForBytes(3, 200));
        QCOMPARE(port.now(), 100);
        QCOMPARE(port.readAll(), kIdentified);
        QCOMPARE(port.portDevice(1), QStringLiteral("virtual board"));
        QVERIFY(port.portDevice(2).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVirtualBoard)
#include "test_virtualboard.moc"
