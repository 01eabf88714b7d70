// The chart walk, the marker and cursor geometry and the cursor texts.

#include "chart/chartwalk.h"

#include <QTest>
#include <QtTest/qtestassert.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using P = std::array<qint64, 5>; // time, length, red, green, blue

struct Fixture
{
    const char *name;
    std::vector<P> points;
    qint64 transition;
    chart::ViewInput in; // zoomMin, zoomMax, current, cursor left, cursor right
};

// The cycles the tests lay out, by name.
const Fixture kFixtures[] = {
    {"two point", {{0, 10, 100, 0, 0}, {20, 10, 0, 0, 100}}, 10, {1, 2, 1, 1, 3}},
    {"later start", {{0, 10, 10, 10, 10}, {100, 20, 60, 0, 0}, {300, 0, 0, 60, 0}}, 50, {2, 3, 2, 1, 4}},
    // Window 0..8000 s, a step of 10 s: points 3 and 4 fall inside one step.
    {"closer than a step",
     {{0, 0, 100, 0, 0}, {1000, 0, 0, 100, 0}, {1001, 0, 0, 0, 100}, {1002, 0, 50, 50, 50}},
     6998,
     {1, 4, 1, 1, 5}},
    // Window 1..3 ends at 400 + 0 + 100 = 500; its margin ramps towards point 4.
    {"early end",
     {{0, 100, 0, 0, 0}, {200, 0, 100, 0, 0}, {400, 0, 0, 0, 0}, {1000, 0, 0, 0, 100}},
     100,
     {1, 3, 1, 1, 5}},
    {"one point", {{7, 3, 20, 30, 40}}, 5, {1, 2, 1, 1, 3}},
    {"one point window", {{0, 1, 0, 0, 0}, {10, 1, 0, 0, 0}, {20, 1, 0, 0, 0}}, 1, {2, 2, 2, 1, 4}},
    // Windows of 0..1000 s (12.08 units a second) with the current point 1, 2,
    // 3 last in the window, and 3 after the window; the right cursor at the
    // end of the cycle.
    {"strip 1", {{0, 100, 0, 0, 0}, {400, 50, 0, 0, 0}, {700, 100, 0, 0, 0}}, 200, {1, 3, 1, 2, 4}},
    {"strip 2", {{0, 100, 0, 0, 0}, {400, 50, 0, 0, 0}, {700, 100, 0, 0, 0}}, 200, {1, 3, 2, 2, 4}},
    {"strip last", {{0, 100, 0, 0, 0}, {400, 50, 0, 0, 0}, {700, 100, 0, 0, 0}}, 200, {1, 3, 3, 2, 4}},
    {"strip 3", {{0, 100, 0, 0, 0}, {400, 50, 0, 0, 0}, {700, 100, 0, 0, 0}}, 550, {1, 2, 3, 2, 4}},
    // Faulty stores: point 3 before point 2, nothing with any length.
    {"unsorted, end before start", {{0, 0, 0, 0, 0}, {900, 0, 100, 0, 0}, {0, 0, 0, 100, 0}}, 0, {2, 3, 3, 1, 4}},
    {"equal times", {{0, 0, 0, 0, 0}, {0, 0, 100, 0, 0}, {0, 0, 0, 100, 0}}, 0, {2, 3, 3, 1, 4}},
    {"unsorted, valid window", {{0, 0, 0, 0, 0}, {900, 0, 100, 0, 0}, {0, 0, 0, 100, 0}}, 0, {1, 2, 3, 1, 4}},
    {"zoom out of range", {{0, 0, 0, 0, 0}, {900, 0, 100, 0, 0}, {0, 0, 0, 100, 0}}, 0, {0, 70, 3, 1, 4}},
    {"narrow window, far cursor", {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {99999, 99999, 0, 0, 0}}, 0, {1, 2, 3, 1, 4}},
};

chart::View layout(const QByteArray &name)
{
    const auto f = std::find_if(std::begin(kFixtures), std::end(kFixtures), [&](auto &f) { return name == f.name; });
    QTEST_ASSERT(f != std::end(kFixtures));
    chart::Cycle c;
    c.pointCount = int(f->points.size());
    c.transition = f->transition;
    for (int k = 0; k < c.pointCount; ++k) {
        const P &p = f->points[std::size_t(k)];
        c.points[std::size_t(k)] = {k + 1, p[0], p[1], {p[2], p[3], p[4]}};
    }
    return chart::layOut(c, f->in);
}

} // namespace

class TestChartWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("row");
        // The row label and the three values; a label alone checks the label only.
        // Row 1 is the window start in absolute time, the others offsets from it.
        QTest::addColumn<QString>("texts");
        const auto row = [](const char *name, int r, const char *texts) {
            QTest::addRow("%s, row %d", name, r) << QByteArray(name) << r << QString::fromUtf8(texts);
        };
        row("two point", 1, "00000|100|000|000");     // row 1 unadjusted
        row("two point", 2, "00000|099|001|001");     // the hold, adjusted
        row("two point", 300, "00015|050|001|050");   // ramp middle, t = 15
        row("two point", 399, "00020|000|001|100");   // t = 19.95, still ramping
        row("two point", 400, "00020|001|001|099");   // reaches point 2
        row("two point", 700, "00035|050|001|050");   // transition middle
        row("two point", 800, "00040|099|001|001");   // window end, back on point 1
        row("later start", 1, "00100");               // then offsets from 100 s
        row("later start", 800, "00250|010|010|010"); // point 3 passed at 200, back on point 1
        // Rows 101 and 102 show points 3 and 4 with their own offsets, although
        // their sample times are later; then the walk catches up.
        row("closer than a step", 100, "01000|001|099|001");
        row("closer than a step", 101, "01001|001|001|099");
        row("closer than a step", 102, "01002|050|050|050");
        row("closer than a step", 103, "01030");
        row("early end", 800, "00500|001|001|017"); // 100 s into the 600 s ramp
        row("one point", 1, "00007|020|030|040");
        row("one point window", 1, "00010|000|000|000");
    }

    void rows()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, row);
        QFETCH(QString, texts);
        const chart::Grid g = layout(name).grid;
        QCOMPARE(g.rowCount, name.startsWith("one point") ? 1 : 800);
        const QStringList got{g.labelText(row), g.valueText(row, 1), g.valueText(row, 2), g.valueText(row, 3)};
        QCOMPARE(got.mid(0, int(texts.count(u'|')) + 1), texts.split(u'|'));
    }

    void markers()
    {
        // Selector (and strip) left, strip width, left cursor, right cursor.
        const std::pair<const char *, QList<int>> cases[] = {
            {"strip 1", {1240, 1208 + 75, 1240 + 4832, 13320}},
            {"strip 2", {1240 + 4832, 604 + 75, 1240 + 4832, 13320}},
            {"strip last", {9696, 1208 + 75, 1240 + 4832, 13320}},
            {"strip 3", {9696, 75, 1240 + 4832, 1240 + 16308}}, // the cycle ends at 1350 s, past the window
            {"later start", {1240, 966 + 75, 1240 - 4832, 13320}},
            {"one point", {1240, 12080, 1240, 13320}},
        };
        for (const auto &[name, units] : cases) {
            const chart::Markers m = layout(name).markers;
            QVERIFY2(m.stripLeft == m.selectorLeft, name);
            QCOMPARE((QList<int>{m.selectorLeft, m.stripWidth, m.cursorLeftX, m.cursorRightX}), units);
            QCOMPARE(m.rewriteCursorLabels, QByteArray(name) != "one point"); // one point leaves the labels alone
        }
    }

    void faultyStoreStaysFinite()
    {
        for (const Fixture &f : kFixtures) {
            const chart::View v = layout(f.name);
            for (int row = 0; row < v.grid.rowCount; ++row)
                for (float value : v.grid.value[std::size_t(row)])
                    QVERIFY2(std::isfinite(value), f.name);
            const chart::Markers &m = v.markers;
            for (int x : {m.selectorLeft, m.stripLeft, m.cursorLeftX, m.cursorRightX})
                QVERIFY2(x >= 1240 - 10 * 12080 && x <= 13320 + 10 * 12080, f.name);
            QVERIFY2(m.stripWidth >= 0 && m.stripWidth <= 12080 + 75, f.name);
            QVERIFY2(v.window.valid || (v.grid.rowCount == 1 && m.selectorLeft == 1240), f.name);
        }
    }

    void cursorTexts()
    {
        // Cursors at 100 and 400 s: English in seconds, Italian in hh:mm:ss (the tie
        // on the left is test_chartform's, read from the window's labels).
        const std::tuple<qint64, bool, const char *> cases[] = {
            {250, true, "TL = 00100|TR = 00400|TP-TL = 00150|TR-TL = 00300|TR-TP = 00150"},
            {400, true, "TL = 00100|TR = 00400|TP-TL = 00300|TR-TL = 00300|TR-TP = 00000"}, // tie on the right
            {40, true, "TL = 00100|TR = 00400|TL-TP = 00060|TR-TL = 00300|TR-TP = 00360"},  // before the left cursor
            {4000, false, "TS = 00:01:40|TD = 00:06:40|TP-TS = 01:05:00|TD-TS = 00:05:00|TP-TD = 01:00:00"},
        };
        for (const auto &[tp, english, texts] : cases) {
            const chart::CursorTexts t = chart::cursorTexts(100, 400, tp, english, !english);
            QCOMPARE((QStringList{t.left, t.right, t.deltaL, t.delta, t.deltaR}).join(u'|'), QString::fromUtf8(texts));
        }
    }
};

QTEST_APPLESS_MAIN(TestChartWalk)
#include "test_chartwalk.moc"
