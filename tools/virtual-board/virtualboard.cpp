#include "virtualboard.h"

#include "board/frame.h"
#include "board/records.h"

namespace board {

namespace {

// Slot 1..8 of a slot digit, or 0.
int slotOf(char digit) { return digit >= '1' && digit <= '8' ? digit - '0' : 0; }

// Block 0..15 of a block digit, or -1.
int blockOf(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

QByteArray fixed(QByteArrayView bytes, qsizetype n)
{
    QByteArray out = bytes.first(std::min(bytes.size(), n)).toByteArray();
    out.append(QByteArray(n - out.size(), ' '));
    return out;
}

QByteArray cleanTransition() { return QByteArray::fromHex("00000000FFFFFFFF"); }

} // namespace

VirtualBoard::VirtualBoard()
{
    for (int s = 1; s <= 8; ++s)
        cleanSlot(m_slots[std::size_t(s - 1)], s);
}

void VirtualBoard::cleanSlot(Slot &slot, int number)
{
    slot.name = QByteArrayLiteral("Cycle") + slotDigit(number) + QByteArrayLiteral("  ");
    for (QByteArray &block : slot.blocks)
        block = QByteArray(kBlockSize, char(kEmptyFlag));
    slot.transition = cleanTransition();
}

QList<VirtualBoard::Chunk> VirtualBoard::receive(QByteArrayView bytes)
{
    QList<Chunk> chunks;
    if (m_vanished)
        return chunks;
    m_input.append(bytes.data(), bytes.size());
    while (!m_vanished) {
        const qsizetype start = m_input.indexOf('A');
        if (start < 0) {
            m_input.clear();
            break;
        }
        m_input.remove(0, start);
        if (m_input.size() < 2)
            break;
        const int length = commandLength(m_input[1]);
        if (length == 0) {
            // Not a command: look for the next 'A' after this one.
            m_input.remove(0, 1);
            continue;
        }
        if (m_input.size() < length)
            break;
        const QByteArray frame = m_input.first(length);
        m_input.remove(0, length);
        ++m_frames;
        if (faults.vanishAfter >= 0 && m_frames >= faults.vanishAfter) {
            m_vanished = true;
            m_input.clear();
            if (frameSeen)
                frameSeen(frame, false);
            break;
        }
        QByteArray reply = answer(frame);
        if (!reply.isEmpty() && faults.silentAfter >= 0 && m_answered >= faults.silentAfter)
            reply.clear();
        if (frameSeen)
            frameSeen(frame, !reply.isEmpty());
        if (reply.isEmpty())
            continue;
        ++m_answered;

        if (faults.badChecksum)
            reply.back() = char(quint8(reply.back()) + 1);
        if (faults.junkBefore > 0) {
            QByteArray junk(faults.junkBefore, '\0');
            for (int i = 1; i < junk.size(); i += 2)
                junk[i] = char(0x55);
            reply.prepend(junk);
        }
        const qint64 due = std::max(0, faults.lateMs);
        if (faults.splitReplies && reply.size() > 1) {
            const qsizetype half = reply.size() / 2;
            chunks.append({due, reply.first(half)});
            chunks.append({due + std::max(0, faults.splitDelayMs), reply.sliced(half)});
        } else {
            chunks.append({due, reply});
        }
    }
    return chunks;
}

QByteArray VirtualBoard::answer(QByteArrayView frame)
{
    const qsizetype last = frame.size() - 1;
    if (quint8(frame[last]) != checksum(frame.first(last)))
        return {};
    const char letter = frame[1];
    switch (letter) {
    case 'K':
    case 'H': return ackReply(letter);
    case 'E':
        for (int i = 0; i < 3; ++i)
            m_emulator[std::size_t(i)] = quint8(frame[2 + i]);
        return ackReply(letter);
    case 'D': {
        QByteArray data = fixed(deviceName, 14);
        data.append(char(hardware));
        data.append(char(firmware));
        data.append(char(product));
        return dataReply(letter, data);
    }
    case 'T':
    case 'N': {
        const char address = frame[2];
        QByteArray *record = nullptr;
        if (const int s = slotOf(address))
            record = &m_slots[std::size_t(s - 1)].name;
        else if (const int t = slotOf(char(address - 8)))
            record = &m_slots[std::size_t(t - 1)].transition;
        if (!record)
            return {};
        if (letter == 'N')
            *record = frame.sliced(3, kRecordSize).toByteArray();
        return dataReply(letter, *record);
    }
    case 'C': {
        const int s = slotOf(frame[2]);
        if (s == 0)
            return {};
        Slot &slot = m_slots[std::size_t(s - 1)];
        cleanSlot(slot, s);
        return dataReply(letter, slot.name);
    }
    case 'M':
        for (int s = 1; s <= 8; ++s)
            cleanSlot(m_slots[std::size_t(s - 1)], s);
        return ackReply(letter);
    case 'W':
    case 'R': {
        const int s = slotOf(frame[2]);
        const int b = blockOf(frame[3]);
        if (s == 0 || b < 0)
            return {};
        QByteArray &block = m_slots[std::size_t(s - 1)].blocks[std::size_t(b)];
        if (letter == 'W') {
            block = frame.sliced(4, kBlockSize).toByteArray();
            const int record = faults.corruptPoint - 1 - 4 * b;
            if (faults.corruptPoint > 0 && record >= 0 && record < 4
                && quint8(block[record * kRecordSize]) != kEmptyFlag) {
                char &red = block[record * kRecordSize + 5];
                red = char(quint8(red) == 0 ? 1 : quint8(red) - 1);
            }
            return ackReply(letter);
        }
        // The read reply carries no letters, and its checksum is that of the
        // block the program gets after unpacking.
        QByteArray reply = packBlock(block);
        reply.append(char(checksum(unpackBlock(reply))));
        return reply;
    }
    default: return {};
    }
}

QByteArray VirtualBoard::name(int slot) const
{
    return slot >= 1 && slot <= 8 ? m_slots[std::size_t(slot - 1)].name : QByteArray();
}

void VirtualBoard::setName(int slot, QByteArrayView name)
{
    if (slot >= 1 && slot <= 8)
        m_slots[std::size_t(slot - 1)].name = fixed(name, kRecordSize);
}

QByteArray VirtualBoard::storedBlock(int slot, int block) const
{
    if (slot < 1 || slot > 8 || block < 0 || block >= kBlockCount)
        return {};
    return m_slots[std::size_t(slot - 1)].blocks[std::size_t(block)];
}

QByteArray VirtualBoard::transitionRecord(int slot) const
{
    return slot >= 1 && slot <= 8 ? m_slots[std::size_t(slot - 1)].transition : QByteArray();
}

void VirtualBoard::setSlot(int slot, const QList<QByteArray> &records, QByteArrayView transitionRecord)
{
    if (slot < 1 || slot > 8)
        return;
    Slot &target = m_slots[std::size_t(slot - 1)];
    for (int b = 0; b < kBlockCount; ++b) {
        QByteArray block;
        for (int r = 4 * b; r < 4 * b + 4; ++r) {
            const QByteArray record = r < records.size() ? records.at(r) : emptyRecord();
            block.append(record.leftJustified(kRecordSize, char(kEmptyFlag), true));
        }
        target.blocks[std::size_t(b)] = block;
    }
    target.transition = transitionRecord.toByteArray().leftJustified(kRecordSize, char(kEmptyFlag), true);
}

} // namespace board
