#pragma once

#include <QDate>
#include <QTimeZone>

#include <optional>
#include <vector>

namespace daycycle {

// Clock seconds in a cycle's day.
inline constexpr int kDaySeconds = 86400;

// The local clock of one date in a time zone. A cycle always has 86400 clock
// seconds, also on the dates the zone's clocks change, so each clock second
// is tied to one instant:
//  - a clock second in the hour the clocks skip (spring) is read with the
//    offset in force before the change: 02:30 on a day that jumps from 02:00
//    to 03:00 is the instant 03:30 shows, and the skipped hour shows the same
//    sky as the hour after it;
//  - a clock second the clocks show twice (autumn) is its first occurrence,
//    still in summer time; the instants of the second occurrence are in no
//    clock second of the cycle.
// Clock second 86400 is the next date's midnight.
class LocalDay
{
public:
    LocalDay(QDate date, const QTimeZone &zone);

    QDate date() const { return m_date; }
    // Seconds since 1970-01-01 00:00 UTC of a clock second (clamped to 0..86400).
    qint64 instant(int clockSecond) const;
    // The clock second (0..86399) a clock of the zone shows at an instant, or
    // nothing when it shows another date.
    std::optional<int> clockSecond(qint64 instant) const;

private:
    // From the instant `from` on, local time is UTC plus `offset` seconds.
    struct Span
    {
        qint64 from = 0;
        int offset = 0;
    };
    int offsetAt(qint64 instant) const;

    QDate m_date;
    // The date's midnight read as if it were UTC.
    qint64 m_midnight = 0;
    std::vector<Span> m_spans;
};

} // namespace daycycle
