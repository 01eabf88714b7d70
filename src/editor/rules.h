#pragma once

#include "platform/message.h"
#include "store/colourtable.h"

#include <QList>
#include <QString>

#include <optional>

// The rules that keep a colour cycle in shape: points in strictly increasing
// time, each hold ending before the next point, the last hold plus the
// end-of-cycle transition inside the day. Plain computation over the table;
// the window shows the messages they return.
namespace editor {

// Seconds in the cycle's day ("Max Time" of the messages).
inline constexpr qint64 kDayLength = 86400;

// ----- Consolidation of the store -------------------------------------------

// The outcome of one consolidation pass over the 64 slots.
struct CheckResult
{
    int pointCount = 1;
    bool checkError = false;
    // At most one message: the equal-times or the out-of-range report.
    QList<platform::BilingualMessage> messages;
};

// Moves the point of the slot under the cursor (k >= 2) into slot k - 1 when
// that slot is free; true when it moved. The cursor ends on slot k.
bool DataBaseRecordShiftDown(store::ColourTable &table);

// Exchanges the slot under the cursor (k >= 2) with slot k - 1 when its time
// is earlier; true when exchanged. Equal times set `checkError` and add the
// equal-times message; the cursor then stays on slot k - 1.
bool DataBaseRecordSwap(store::ColourTable &table, bool &checkError, QList<platform::BilingualMessage> &messages);

// Renumbers, clamps colours, closes gaps, orders by time, reports times out of
// the day, trims overlapping lengths and pins the first point to time 0.
// The cursor is left on the first slot.
CheckResult DataBaseCheck(store::ColourTable &table, qint64 transitionTime);

// ----- The time typed for the point being edited or inserted ---------------

struct TimeCheckInput
{
    int pointCount = 1;
    int pointCurrent = 1;
    bool insertMode = false; // the point is new, not yet in the table
    qint64 time = 0;         // typed position time, seconds
    qint64 length = 0;       // typed length, seconds
    qint64 transitionTime = 0;
};

// The message of the first rule the time breaks, or nothing when accepted.
std::optional<platform::BilingualMessage> DataBaseTimeCheck(const store::ColourTable &table, const TimeCheckInput &in);

// ----- Limits shown while a value is typed -----------------------------------

// A limit in seconds with the caption of LabelRange in both languages.
struct Limit
{
    qint64 value = 0; // never below 0 nor wider than five digits
    Bilingual caption;
};

// Largest length for the current point placed at `time`.
Limit DataBaseLengthMaxValue(const store::ColourTable &table, int pointCount, int pointCurrent, qint64 time,
                             qint64 transitionTime, bool hms);

// The longest hold a point inserted at `time` can have: up to a second
// before the next point, or with the transition inside the day after the last.
qint64 longestInsertLength(const store::ColourTable &table, int pointCount, qint64 time, qint64 transitionTime);

// Largest transition time that still fits after the last point.
Limit DataBaseTransitionMaxValue(const store::ColourTable &table, int pointCount, bool hms);

// ----- Move and shift ------------------------------------------------------------

struct ShiftRange
{
    qint64 min = 0;
    qint64 max = 0;
    Bilingual caption;
};

// The allowed new time of the current point when it is shifted with every
// later point: after the previous point's hold, and no later than the slack at
// the end of the day allows.
ShiftRange DataBaseShiftValue(const store::ColourTable &table, int pointCount, int pointCurrent, qint64 transitionTime,
                              bool hms);

// "Shift Time is Out of Range!" when `time` lies outside the range.
// `italianTitle` differs between confirming the field and saving the point.
std::optional<platform::BilingualMessage> shiftOutOfRange(qint64 time, const ShiftRange &range,
                                                          const QString &italianTitle);

// The times a point can be moved to on its own, keeping its length, as the
// position rules allow: after the previous point's hold and one second, its
// own hold ending a second before the next point, or, for the last point,
// its hold and the transition inside the day. The first point stays at 0.
struct MoveRange
{
    qint64 min = 0;
    qint64 max = 0;
};
MoveRange pointMoveRange(const store::ColourTable &table, int pointCount, int point, qint64 transitionTime);

// Moves every point after the current one by `delta` seconds.
void shiftLaterPoints(store::ColourTable &table, int pointCount, int pointCurrent, qint64 delta);

} // namespace editor
