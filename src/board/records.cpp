#include "board/records.h"

#include "store/numbers.h"

using store::Field;

namespace board {

namespace {

constexpr qint64 kHigh = 65536;

void appendWord(QByteArray &out, qint64 value)
{
    out.append(char(quint8((value >> 8) & 0xFF)));
    out.append(char(quint8(value & 0xFF)));
}

quint8 byteAt(QByteArrayView bytes, int oneBased) { return quint8(bytes[oneBased - 1]); }

quint8 code(int twoBits) { return twoBits == 3 ? kEmptyFlag : quint8(twoBits); }
int uncode(quint8 flag) { return flag == kEmptyFlag ? 3 : (flag & 3); }

} // namespace

QByteArray emptyRecord() { return QByteArray(kRecordSize, char(kEmptyFlag)); }

QByteArray pointRecord(const store::ColourPoint &point)
{
    if (point.value(Field::PointID) == 0)
        return emptyRecord();
    qint64 time = std::clamp<qint64>(point.value(Field::Time), 0, 2 * kHigh - 1);
    qint64 length = std::clamp<qint64>(point.value(Field::Length), 0, 2 * kHigh - 1);
    quint8 flag = 0;
    if (time >= kHigh) {
        flag = 2;
        time -= kHigh;
    } else if (length >= kHigh) {
        flag = 1;
        length -= kHigh;
    }
    QByteArray out;
    out.reserve(kRecordSize);
    out.append(char(flag));
    appendWord(out, time);
    // A length that does not fit beside a flagged time keeps its low 16 bits;
    // the store's check never lets both be that large.
    appendWord(out, length & 0xFFFF);
    for (Field f : {Field::Red, Field::Green, Field::Blue})
        out.append(char(quint8(std::clamp<qint64>(point.value(f), 0, 255))));
    return out;
}

QByteArray transitionRecord(qint64 transitionTime, int pointCount)
{
    qint64 time = std::clamp<qint64>(transitionTime, 0, 2 * kHigh - 1);
    QByteArray out;
    out.reserve(kRecordSize);
    out.append(char(time >= kHigh ? 1 : 0));
    appendWord(out, time >= kHigh ? time - kHigh : time);
    out.append(char(quint8(std::clamp(pointCount, 0, 255))));
    out.append(QByteArray(4, char(kEmptyFlag)));
    return out;
}

QByteArray blockData(const store::ColourTable &table, int block)
{
    QByteArray out;
    out.reserve(kBlockSize);
    for (int r = 1; r <= 4; ++r)
        out.append(pointRecord(table.row(4 * block + r)));
    return out;
}

QByteArray unpackBlock(QByteArray block)
{
    if (block.size() < 25)
        return block;
    const quint8 packed = quint8(block[8]);
    block[24] = char(code((packed >> 4) & 3));
    block[16] = char(code((packed >> 2) & 3));
    block[8] = char((packed & 0x80) ? kEmptyFlag : (packed & 3));
    return block;
}

QByteArray packBlock(QByteArray block)
{
    if (block.size() < 25)
        return block;
    const quint8 second = quint8(block[8]);
    quint8 packed = second == kEmptyFlag ? 0x80 : (second & 3);
    packed |= quint8(uncode(quint8(block[16])) << 2);
    packed |= quint8(uncode(quint8(block[24])) << 4);
    block[8] = char(packed);
    block[16] = 0;
    block[24] = 0;
    return block;
}

ReadRecord readRecord(QByteArrayView record)
{
    ReadRecord result;
    if (record.size() < kRecordSize || byteAt(record, 1) == kEmptyFlag)
        return result;
    const quint8 flag = byteAt(record, 1);
    const qint64 time = (flag == 2 ? kHigh : 0) + byteAt(record, 2) * 256 + byteAt(record, 3);
    const qint64 length = (flag == 1 ? kHigh : 0) + byteAt(record, 4) * 256 + byteAt(record, 5);
    if (time > 86400)
        return result;
    result.end = false;
    result.point.setValue(Field::Time, time);
    result.point.setValue(Field::Length, length);
    result.point.setValue(Field::Red, byteAt(record, 6));
    result.point.setValue(Field::Green, byteAt(record, 7));
    result.point.setValue(Field::Blue, byteAt(record, 8));
    return result;
}

qint64 transitionFromReply(QByteArrayView reply)
{
    if (reply.size() < 5)
        return 0;
    return byteAt(reply, 3) * kHigh + byteAt(reply, 4) * 256 + byteAt(reply, 5);
}

} // namespace board
