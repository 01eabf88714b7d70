#pragma once

#include "platform/message.h"
#include "platform/serialport.h"
#include "store/colourtable.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The board jobs. A job is a state machine advanced once per timer tick while
// its menu item is checked; its step counter is the progress value, and each
// call returns the next value and what the window must show. The window keeps
// the state between ticks in its own variables, as the jobs' arguments name.
namespace board {

// Failure steps, which are also the progress maximum of each job.
inline constexpr int kDeviceFailure = 6;
inline constexpr int kTextFailure = 34;
inline constexpr int kCleanFailure = 8;
inline constexpr int kRenameFailure = 8;
inline constexpr int kEraseFailure = 20;
inline constexpr int kWriteFailure = 56;
inline constexpr int kReadFailure = 55;

// What the board tells of itself.
struct DeviceInfo
{
    QByteArray name; // 14 bytes
    quint8 hardware = 0;
    quint8 firmware = 0;
    quint8 product = 0;
};
// "V" hh "." ll: the byte 0x12 shows as V01.02.
QString versionText(quint8 version);

// One tick of a job.
struct JobTick
{
    int value = 0;      // the next progress value
    bool ended = false; // the job has ended on this tick, well or not
    bool success = false;
    std::optional<platform::BilingualMessage> failure; // shown when the job failed
    // A slot whose caption changes now (1..8) and its 8 bytes.
    int captionSlot = 0;
    QByteArray caption;
    std::optional<DeviceInfo> device; // device information arrived
    bool erased = false;              // the whole memory was erased
    bool prepareWrite = false;        // write: consolidate the store before the blocks go out
};

JobTick USBDevice(int value, platform::SerialPort &port);
// Reads the eight slot names, one every four ticks.
JobTick USBText(int value, platform::SerialPort &port);
JobTick USBClean(int value, char slot, platform::SerialPort &port);
JobTick USBRename(int value, char slot, const QByteArray &name, platform::SerialPort &port);
JobTick USBErase(int value, quint8 &usbEraseCount, platform::SerialPort &port);

// The write sends the table in store order, sixteen blocks of four records,
// then the transition record.
struct WriteSource
{
    const store::ColourTable *table = nullptr;
    int pointCount = 0;
    qint64 transitionTime = 0;
};
JobTick USBWrite(int value, char slot, const WriteSource &source, platform::SerialPort &port);

// The read fills a staging cycle; the window takes it into the store only
// when the whole read has passed, so a failed read leaves the store as it was.
struct ReadCycle
{
    store::ColourTable table;
    int pointCount = 0;
    qint64 transitionTime = 0;
};
JobTick USBRead(int value, char slot, ReadCycle &cycle, platform::SerialPort &port);

// Verify after write: the records a write sends (the 64 point records in
// store order) and its transition time, compared with a read-back. The
// result is the first point (1..64) whose record differs, kTransitionDiffers
// when only the transition time differs, 0 when the two agree.
struct WrittenCycle
{
    QList<QByteArray> records;
    qint64 transitionTime = 0;
};
WrittenCycle writtenCycle(const WriteSource &source);
inline constexpr int kTransitionDiffers = 65;
int firstDifference(const WrittenCycle &written, const ReadCycle &readBack);

// Stores one record into row `row` of the staging cycle; false marks the end
// of the cycle (an empty record or a time above 86400), the row left blank.
bool USBReadColorPoint(ReadCycle &cycle, int row, QByteArrayView record);

// The rename's name check: the answer cut to 8 characters and padded with
// spaces. Nothing when the answer is empty; `refusal` set when a character
// is not a space, a digit or an ASCII letter.
struct RenameCheck
{
    std::optional<QByteArray> name;
    std::optional<platform::BilingualMessage> refusal;
};
RenameCheck checkRenameText(const QString &answer);

} // namespace board
