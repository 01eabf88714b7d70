// Fuzzes the points table's paste with whatever text a clipboard may hold:
// the rows read from it and their insertion into a cycle. Any text must give
// either a refusal in both languages that leaves the cycle as it was, or
// points that the editor's rules accept as they stand, never a crash and
// never more than 64 points. The first byte picks the cycle pasted into (its
// point count and transition time); the rest is the text, as UTF-8.

#include "editor/pastedrows.h"
#include "editor/rules.h"

#include "fuzzchecks.h"

#include <cstddef>
#include <cstdint>

namespace {

using store::Field;

bool sameRows(const store::ColourTable &a, const store::ColourTable &b)
{
    for (int k = 1; k <= store::kRowCount; ++k)
        if (!(a.row(k) == b.row(k)))
            return false;
    return true;
}

void checkRefusal(const platform::BilingualMessage &m)
{
    check(!m.text.english.isEmpty() && !m.text.italian.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    // A sound cycle of 1 to 64 points 1300 s apart, each held a minute, with
    // a transition of up to 35 minutes: the last point's hold and the
    // transition end within the day.
    const int points = 1 + data[0] % store::kRowCount;
    const qint64 transition = qint64(data[0] / store::kRowCount) * 700;
    store::ColourTable table;
    store::emptyTable(table);
    for (int k = 1; k <= points; ++k) {
        store::ColourPoint &p = table.row(k);
        p.setValue(Field::PointID, k);
        p.setValue(Field::Time, (k - 1) * 1300);
        p.setValue(Field::Length, 60);
        p.setValue(Field::Red, k);
    }
    const store::ColourTable before = table;

    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const editor::PastedRows rows = editor::parsePastedRows(text);
    check(rows.refusal.has_value() == rows.points.empty());
    if (rows.refusal) {
        checkRefusal(*rows.refusal);
        return 0;
    }
    for (const editor::PastedPoint &p : rows.points) {
        check(p.time >= 0 && p.time <= 99999 && p.length >= 0 && p.length <= 99999);
        for (const qint64 level : p.rgb)
            check(level >= 0 && level <= 100);
    }

    int count = points;
    int last = 0;
    const std::optional<platform::BilingualMessage> refusal =
        editor::insertPastedPoints(table, count, transition, rows.points, last);
    if (refusal) {
        checkRefusal(*refusal);
        check(count == points && last == 0 && sameRows(table, before));
        return 0;
    }
    check(count == points + int(rows.points.size()) && count <= store::kRowCount);
    check(last >= 1 && last <= count && table.position() == last);

    // The editor's consolidation finds nothing to change, and every point
    // passes the rules a point saved in the editor passes.
    store::ColourTable checked = table;
    const editor::CheckResult result = editor::DataBaseCheck(checked, transition);
    check(!result.checkError && result.messages.isEmpty() && result.pointCount == count);
    check(sameRows(checked, table));
    for (int k = 1; k <= count; ++k) {
        const store::ColourPoint &p = table.row(k);
        check(p.value(Field::PointID) == k);
        check(!editor::DataBaseTimeCheck(table,
                                         {count, k, false, p.value(Field::Time), p.value(Field::Length), transition}));
    }
    for (int k = count + 1; k <= store::kRowCount; ++k)
        check(table.row(k) == store::ColourPoint());
    return 0;
}
