#include "board/jobs.h"

#include "board/frame.h"
#include "board/records.h"
#include "store/numbers.h"

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using store::Field;

namespace board {

namespace {

BilingualMessage failure(const char *english, const char *italian)
{
    return platform::failure({QString::fromUtf8(english), QString::fromUtf8(italian)});
}

JobTick next(int value)
{
    JobTick t;
    t.value = value;
    return t;
}

JobTick succeeded(int value)
{
    JobTick t = next(value);
    t.ended = true;
    t.success = true;
    return t;
}

JobTick failed(int value, const BilingualMessage &message)
{
    JobTick t = next(value);
    t.ended = true;
    t.failure = message;
    return t;
}

// The reply at a check step: read when at least `threshold` bytes wait,
// otherwise nothing (too few bytes fail the check).
std::optional<QByteArray> replyAt(platform::SerialPort &port, qsizetype threshold)
{
    if (port.bytesWaiting() < threshold)
        return std::nullopt;
    return port.readAll();
}

// The jobs with one command and one reply: device information, clean,
// rename. Step 0 flushes, step 1 sends, the check comes at `checkStep`, then
// the success step and the failure step follow.
template <typename OnReply>
JobTick singleExchange(int value, platform::SerialPort &port, const QByteArray &command, char replyLetter,
                       int checkStep, const BilingualMessage &failureMessage, OnReply onReply)
{
    const int success = checkStep + 1;
    const int failureStep = checkStep + 2;
    if (value == 0) {
        port.flush();
        return next(1);
    }
    if (value == 1) {
        port.flush();
        port.write(command);
        return next(2);
    }
    if (value > 1 && value < checkStep)
        return next(value + 1);
    if (value == checkStep) {
        JobTick t = next(success);
        const int length = replyLength(replyLetter);
        const auto reply = replyAt(port, length);
        if (reply && replyOk(*reply, replyLetter, length))
            onReply(*reply, t);
        else
            t.value = failureStep;
        return t;
    }
    if (value == success)
        return succeeded(value);
    return failed(value, failureMessage);
}

QByteArray nameBytes(const QByteArray &reply) { return reply.mid(2, 8); }

} // namespace

QString versionText(quint8 version)
{
    return QStringLiteral("V") + store::format00(version / 16) + u'.' + store::format00(version % 16);
}

JobTick USBDevice(int value, platform::SerialPort &port)
{
    return singleExchange(value, port, deviceInfoFrame(), 'D', 4, failure("Device Failure", "Lettura Dati Fallita"),
                          [](const QByteArray &reply, JobTick &t) {
                              DeviceInfo info;
                              info.name = reply.mid(2, 14);
                              info.hardware = quint8(reply[16]);
                              info.firmware = quint8(reply[17]);
                              info.product = quint8(reply[18]);
                              t.device = info;
                          });
}

JobTick USBClean(int value, char slot, platform::SerialPort &port)
{
    return singleExchange(value, port, cleanFrame(slot), 'C', 6, failure("Cleane Failure", "Cancellazione Fallita"),
                          [slot](const QByteArray &reply, JobTick &t) {
                              t.captionSlot = slot - '0';
                              t.caption = nameBytes(reply);
                          });
}

JobTick USBRename(int value, char slot, const QByteArray &name, platform::SerialPort &port)
{
    return singleExchange(value, port, writeTextFrame(slot, name), 'N', 6,
                          failure("Rename Failure", "Cambio Nome Fallita"),
                          [slot](const QByteArray &reply, JobTick &t) {
                              t.captionSlot = slot - '0';
                              t.caption = nameBytes(reply);
                          });
}

JobTick USBText(int value, platform::SerialPort &port)
{
    constexpr int success = 33;
    if (value == 0) {
        port.flush();
        return next(1);
    }
    if (value >= 1 && value <= 32) {
        // Slot k's name is asked at step 4k - 3 and checked at step 4k.
        if (value % 4 == 1) {
            port.flush();
            port.write(readTextFrame(slotDigit(value / 4 + 1)));
            return next(value + 1);
        }
        if (value % 4 != 0)
            return next(value + 1);
        JobTick t = next(value + 1);
        const auto reply = replyAt(port, replyLength('T'));
        if (reply && replyOk(*reply, 'T', replyLength('T'))) {
            t.captionSlot = value / 4;
            t.caption = nameBytes(*reply);
        } else {
            t.value = kTextFailure;
        }
        return t;
    }
    if (value == success)
        return succeeded(value);
    return failed(value, failure("Name Set Up Failure", "Lettura Nomi Fallita"));
}

JobTick USBErase(int value, quint8 &usbEraseCount, platform::SerialPort &port)
{
    constexpr int check = 18;
    constexpr int success = 19;
    constexpr int tries = 41;
    if (value == 0) {
        port.flush();
        return next(1);
    }
    if (value == 1) {
        port.flush();
        port.write(eraseFrame());
        usbEraseCount = 0;
        return next(2);
    }
    if (value > 1 && value < check)
        return next(value + 1);
    if (value == check) {
        const auto reply = replyAt(port, replyLength('M'));
        if (!reply) {
            ++usbEraseCount;
            return next(usbEraseCount < tries ? check : kEraseFailure);
        }
        JobTick t = next(success);
        if (replyOk(*reply, 'M', replyLength('M')))
            t.erased = true;
        else
            t.value = kEraseFailure;
        return t;
    }
    if (value == success)
        return succeeded(value);
    return failed(value, failure("Erase Memory Failure", "Cancellazione Memoria Fallita"));
}

JobTick USBWrite(int value, char slot, const WriteSource &source, platform::SerialPort &port)
{
    constexpr int lastBlockCheck = 4 + 3 * 15; // 49
    constexpr int transitionCheck = 54;
    constexpr int success = 55;
    auto writeBlock = [&](int block) {
        port.write(writeBlockFrame(slot, blockDigit(block), blockData(*source.table, block)));
    };
    if (value == 0) {
        port.flush();
        JobTick t = next(1);
        t.prepareWrite = true;
        return t;
    }
    if (value == 1) {
        port.flush();
        writeBlock(0);
        return next(2);
    }
    if (value >= 4 && value <= lastBlockCheck && (value - 4) % 3 == 0) {
        const int block = (value - 4) / 3;
        JobTick t = next(value + 1);
        const auto reply = replyAt(port, replyLength('W'));
        if (reply && !replyOk(*reply, 'W', replyLength('W')))
            return next(kWriteFailure); // a wrong reply: nothing more is written
        if (!reply)
            t.value = kWriteFailure;
        if (block < 15)
            writeBlock(block + 1);
        else
            port.write(
                writeTextFrame(transitionAddress(slot), transitionRecord(source.transitionTime, source.pointCount)));
        return t;
    }
    if (value > 1 && value < transitionCheck)
        return next(value + 1);
    if (value == transitionCheck) {
        const auto reply = replyAt(port, replyLength('N'));
        return next(reply && replyOk(*reply, 'N', replyLength('N')) ? success : kWriteFailure);
    }
    if (value == success)
        return succeeded(value);
    return failed(value, failure("Write Failure", "Scrittura Fallita"));
}

bool USBReadColorPoint(ReadCycle &cycle, int row, QByteArrayView record)
{
    if (row < 1 || row > store::kRowCount)
        return false;
    const ReadRecord read = readRecord(record);
    if (read.end) {
        cycle.table.row(row).clear();
        return false;
    }
    ++cycle.pointCount;
    store::ColourPoint point = read.point;
    point.setValue(Field::PointID, cycle.pointCount);
    cycle.table.row(row) = point;
    return true;
}

JobTick USBRead(int value, char slot, ReadCycle &cycle, platform::SerialPort &port)
{
    constexpr int lastBlockCheck = 4 + 3 * 15; // 49
    constexpr int transitionAsk = 50;
    constexpr int transitionCheck = 53;
    constexpr int success = 54;
    if (value == 0) {
        port.flush();
        for (int r = 1; r <= store::kRowCount; ++r)
            cycle.table.row(r).clear();
        cycle.pointCount = 0;
        cycle.transitionTime = 0;
        return next(1);
    }
    if (value == 1) {
        port.flush();
        port.write(readBlockFrame(slot, blockDigit(0)));
        return next(2);
    }
    if (value >= 4 && value <= lastBlockCheck && (value - 4) % 3 == 0) {
        const int block = (value - 4) / 3;
        JobTick t = next(value + 1);
        if (port.bytesWaiting() <= 30) {
            t.value = kReadFailure;
            if (block < 15)
                port.write(readBlockFrame(slot, blockDigit(block + 1)));
            return t;
        }
        const QByteArray data = unpackBlock(port.readAll());
        if (data.size() < kBlockSize + 1 || quint8(data[kBlockSize]) != checksum(data.first(kBlockSize)))
            return next(kReadFailure);
        for (int r = 0; r < 4; ++r) {
            if (!USBReadColorPoint(cycle, 4 * block + r + 1, QByteArrayView(data).sliced(r * kRecordSize, kRecordSize)))
                return next(transitionAsk);
        }
        if (block < 15)
            port.write(readBlockFrame(slot, blockDigit(block + 1)));
        return t;
    }
    if (value > 1 && value < transitionAsk)
        return next(value + 1);
    if (value == transitionAsk) {
        port.flush();
        port.write(readTextFrame(transitionAddress(slot)));
        return next(value + 1);
    }
    if (value > transitionAsk && value < transitionCheck)
        return next(value + 1);
    if (value == transitionCheck) {
        const auto reply = port.bytesWaiting() > 10 ? std::optional(port.readAll()) : std::nullopt;
        if (!reply || !replyOk(*reply, 'T', replyLength('T')))
            return next(kReadFailure);
        cycle.transitionTime = transitionFromReply(*reply);
        return next(success);
    }
    if (value == success)
        return succeeded(value);
    return failed(value, failure("Read Failure", "Lettura Fallita"));
}

WrittenCycle writtenCycle(const WriteSource &source)
{
    WrittenCycle written;
    for (int r = 1; r <= store::kRowCount; ++r)
        written.records.append(pointRecord(source.table->row(r)));
    written.transitionTime = source.transitionTime;
    return written;
}

int firstDifference(const WrittenCycle &written, const ReadCycle &readBack)
{
    for (int r = 1; r <= store::kRowCount; ++r) {
        const QByteArray sent = written.records.value(r - 1, emptyRecord());
        if (pointRecord(readBack.table.row(r)) != sent)
            return r;
    }
    return readBack.transitionTime == written.transitionTime ? 0 : kTransitionDiffers;
}

RenameCheck checkRenameText(const QString &answer)
{
    RenameCheck check;
    const QString cut = answer.left(8);
    if (cut.isEmpty())
        return check;
    const QString padded = cut.leftJustified(8, u' ');
    for (QChar c : padded) {
        const char16_t u = c.unicode();
        const bool allowed = u == ' ' || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
        if (!allowed) {
            check.refusal = platform::warning(
                {QStringLiteral("The New Name \"") + padded + QStringLiteral("\" has incorrect characters"),
                 QStringLiteral("Il nuovo Nome \"") + padded + QStringLiteral("\" ha caratteri non corretti")});
            return check;
        }
    }
    check.name = padded.toLatin1();
    return check;
}

} // namespace board
