#pragma once

#include "store/colourtable.h"

#include <QByteArray>
#include <QByteArrayView>

// The binary records of a cycle on the board. A slot holds 64 point records
// of 8 bytes in sixteen 32-byte blocks (four records each), and one transition
// record kept as a text record beside the slot's name.
namespace board {

inline constexpr int kRecordSize = 8;
inline constexpr int kBlockSize = 32;
inline constexpr int kBlockCount = 16;
inline constexpr quint8 kEmptyFlag = 0xFF;

// The 8-byte record of a store row: flag (2 when Time >= 65536, 1 when
// Length >= 65536, else 0), Time and Length less 65536 when flagged (high
// byte first), then red, green and blue percent. A row whose PointID is 0
// gives the empty record, eight 0xFF bytes.
QByteArray pointRecord(const store::ColourPoint &point);
QByteArray emptyRecord();

// The transition record: 1 when the time is >= 65536, the time less 65536
// (high byte first), the number of points, then four 0xFF bytes.
QByteArray transitionRecord(qint64 transitionTime, int pointCount);

// Block `block` (0..15) of a table: rows 4b+1..4b+4 in store order.
QByteArray blockData(const store::ColourTable &table, int block);

// A block as the board returns it carries the flags of its third and fourth
// records in byte 9, the first byte of the second record. Unpacking, in this
// order: byte 25 := code of bits 5..4 of byte 9; byte 17 := code of bits
// 3..2; byte 9 := 0xFF when bit 7 is set, else byte 9 AND 3. The code of a
// 2-bit value is 0, 1, 2, or 0xFF for 3. Bytes are 1-based as on the wire.
// A block shorter than 25 bytes is returned as it is.
QByteArray unpackBlock(QByteArray block);
// The board's side of the same rule: the packed form of 32 stored bytes.
QByteArray packBlock(QByteArray block);

// One record read back. `end` marks the end of the cycle: an empty record
// (flag 0xFF) or a time above 86400.
struct ReadRecord
{
    bool end = true;
    store::ColourPoint point; // PointID left at "00"; the caller numbers it
};
ReadRecord readRecord(QByteArrayView record);

// The transition time carried by a "BT" reply: byte 3 x 65536 + byte 4 x 256
// + byte 5 (bytes 1-based).
qint64 transitionFromReply(QByteArrayView reply);

} // namespace board
