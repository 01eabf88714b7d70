#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <array>
#include <functional>

// A board that lives in software: the board's side of every frame, eight
// slots with their names, data blocks and transition records, and faults to
// inject. It only ever replies; it never speaks first.
namespace board {

struct BoardFaults
{
    int silentAfter = -1;      // frames answered before the board falls silent (-1: never)
    bool badChecksum = false;  // every reply's last byte is off by one
    int junkBefore = 0;        // junk bytes sent ahead of every reply
    bool splitReplies = false; // every reply in two writes, the second `splitDelayMs` later
    int splitDelayMs = 20;
    int lateMs = 0;       // every reply this much later
    int vanishAfter = -1; // frames received before the board vanishes (-1: never)
    // A point (1..64) whose record the board stores wrongly when a write
    // sends it, red one step off, while it acknowledges the block as usual
    // (0: none). An empty record stays as it is.
    int corruptPoint = 0;
};

class VirtualBoard
{
public:
    VirtualBoard();

    BoardFaults faults;

    // Reply bytes due `delayMs` after the frame that caused them arrived.
    struct Chunk
    {
        qint64 delayMs = 0;
        QByteArray bytes;
    };

    // Bytes from the program. Complete frames are answered; an incomplete
    // frame waits for the rest. A frame with a wrong checksum, an unknown
    // command or an unknown address gets no reply; bytes that start no frame
    // are skipped.
    QList<Chunk> receive(QByteArrayView bytes);

    // True once `faults.vanishAfter` frames have been received: the device
    // is gone and answers nothing more.
    bool vanished() const { return m_vanished; }
    // Frames received whole (answered or not).
    int framesReceived() const { return m_frames; }
    // Drops a partly received frame, as a port closed and opened again does.
    void resetInput() { m_input.clear(); }
    // Makes the device vanish now, as if its cable were pulled.
    void vanish() { m_vanished = true; }

    // Called with every whole frame received and whether it was answered
    // (for a frame log).
    std::function<void(QByteArrayView frame, bool answered)> frameSeen;

    // Slots 1..8.
    QByteArray name(int slot) const;                   // 8 bytes
    void setName(int slot, QByteArrayView name);       // cut or padded with spaces to 8
    QByteArray storedBlock(int slot, int block) const; // 32 bytes as written
    QByteArray transitionRecord(int slot) const;       // 8 bytes
    // Writes a whole cycle into a slot: 64 records and a transition record,
    // as the program's write does.
    void setSlot(int slot, const QList<QByteArray> &records, QByteArrayView transitionRecord);

    // Device information.
    QByteArray deviceName = QByteArrayLiteral("Orvanta RGB-8 "); // 14 bytes
    quint8 hardware = 0x12;
    quint8 firmware = 0x21;
    quint8 product = 0x10;

    // The colour of the last emulator frame, percent.
    std::array<int, 3> emulatorColour() const { return m_emulator; }

private:
    struct Slot
    {
        QByteArray name;
        std::array<QByteArray, 16> blocks;
        QByteArray transition;
    };
    QByteArray answer(QByteArrayView frame);
    void cleanSlot(Slot &slot, int number);

    std::array<Slot, 8> m_slots;
    QByteArray m_input;
    std::array<int, 3> m_emulator{0, 0, 0};
    int m_frames = 0;
    int m_answered = 0;
    bool m_vanished = false;
};

} // namespace board
