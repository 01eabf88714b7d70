#include "cyclefile/localday.h"

#include <QDateTime>

#include <algorithm>
#include <limits>

namespace daycycle {

namespace {

// The zone's changes are looked up this far around the date: wider than any
// offset from UTC, so that every instant of the date's clock lies inside.
constexpr qint64 kMargin = 2 * qint64(kDaySeconds);

} // namespace

LocalDay::LocalDay(QDate date, const QTimeZone &zone)
    : m_date(date)
    , m_midnight(date.startOfDay(Qt::UTC).toSecsSinceEpoch())
{
    const QDateTime from = QDateTime::fromSecsSinceEpoch(m_midnight - kMargin, Qt::UTC);
    const QDateTime to = QDateTime::fromSecsSinceEpoch(m_midnight + kDaySeconds + kMargin, Qt::UTC);
    m_spans.push_back({std::numeric_limits<qint64>::min(), zone.offsetFromUtc(from)});
    if (zone.hasTransitions()) {
        const QTimeZone::OffsetDataList changes = zone.transitions(from, to);
        for (const QTimeZone::OffsetData &change : changes)
            m_spans.push_back({change.atUtc.toSecsSinceEpoch(), change.offsetFromUtc});
    }
}

int LocalDay::offsetAt(qint64 instant) const
{
    const auto after = std::upper_bound(m_spans.cbegin(), m_spans.cend(), instant,
                                        [](qint64 t, const Span &span) { return t < span.from; });
    return std::prev(after)->offset;
}

qint64 LocalDay::instant(int clockSecond) const
{
    const qint64 wall = m_midnight + std::clamp(clockSecond, 0, kDaySeconds);
    // The earliest instant whose clock shows `wall`: the first occurrence.
    for (std::size_t k = 0; k < m_spans.size(); ++k) {
        const qint64 t = wall - m_spans[k].offset;
        if (t >= m_spans[k].from && (k + 1 == m_spans.size() || t < m_spans[k + 1].from))
            return t;
    }
    // No clock shows it: the hour skipped, read with the offset before the change.
    for (std::size_t k = 1; k < m_spans.size(); ++k) {
        const qint64 before = wall - m_spans[k - 1].offset;
        if (before >= m_spans[k].from && wall - m_spans[k].offset < m_spans[k].from)
            return before;
    }
    return wall - m_spans.front().offset;
}

std::optional<int> LocalDay::clockSecond(qint64 instant) const
{
    const qint64 second = instant + offsetAt(instant) - m_midnight;
    if (second < 0 || second >= kDaySeconds)
        return std::nullopt;
    return int(second);
}

} // namespace daycycle
