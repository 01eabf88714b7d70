// The chart walk, the marker and cursor geometry, the cursor texts and the
// simulator's plain rules.

#include "chart/chartwalk.h"
#include "chart/simulator.h"

#include <QTest>

#include <cmath>

namespace {

QStringList strs(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *s : list)
        out.append(QString::fromUtf8(s));
    return out;
}

struct P
{
    qint64 time, length, r, g, b;
};

chart::Cycle cycleOf(std::initializer_list<P> points, qint64 transition)
{
    chart::Cycle c;
    c.pointCount = int(points.size());
    c.transition = transition;
    int k = 0;
    for (const P &p : points) {
        c.points[std::size_t(k)] = {k + 1, p.time, p.length, {p.r, p.g, p.b}};
        ++k;
    }
    return c;
}

QStringList rowTexts(const chart::Grid &g, int row)
{
    return {g.labelText(row), g.valueText(row, 1), g.valueText(row, 2), g.valueText(row, 3)};
}

} // namespace

class TestChartWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void twoPointExample_data();
    void twoPointExample();
    void windowStartingLater();
    void pointsCloserThanOneStep();
    void windowEndingEarlyRampsToFollowingPoint();
    void onePointAndOnePointWindow();
    void selectorStrip_data();
    void selectorStrip();
    void faultyStoreStaysFinite_data();
    void faultyStoreStaysFinite();
    void cursorGeometry();
    void cursorTexts_data();
    void cursorTexts();
    void spanColourAndBar();
    void pacer();
};

void TestChartWalk::twoPointExample_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("row 1 unadjusted") << 1 << strs({"00000", "100", "000", "000"});
    QTest::newRow("hold") << 2 << strs({"00000", "099", "001", "001"});
    QTest::newRow("last hold row") << 199 << strs({"00010", "099", "001", "001"});
    QTest::newRow("ramp middle, t=15") << 300 << strs({"00015", "050", "001", "050"});
    QTest::newRow("just before point 2") << 399 << strs({"00020", "001", "001", "099"});
    QTest::newRow("reaches point 2") << 400 << strs({"00020", "001", "001", "099"});
    QTest::newRow("point 2 hold") << 500 << strs({"00025", "001", "001", "099"});
    QTest::newRow("transition middle") << 700 << strs({"00035", "050", "001", "050"});
    QTest::newRow("window end") << 800 << strs({"00040", "099", "001", "001"});
}

void TestChartWalk::twoPointExample()
{
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    const chart::Cycle c = cycleOf({{0, 10, 100, 0, 0}, {20, 10, 0, 0, 100}}, 10);
    const chart::View v = chart::layOut(c, {1, 2, 1, 1, 3});
    QCOMPARE(v.grid.rowCount, 800);
    QCOMPARE(v.window.start, 0.0f);
    QCOMPARE(v.window.end, 40.0f);
    QCOMPARE(v.window.step, 0.05f);
    if (row == 399) {
        // t = 19.95: the ramp is almost at blue; the row keeps its own offset.
        QCOMPARE(v.grid.labelText(row), QStringLiteral("00020"));
        QVERIFY(v.grid.value[398][2] > 98.0f && v.grid.value[398][2] < 100.0f);
        return;
    }
    QCOMPARE(rowTexts(v.grid, row), texts);
}

void TestChartWalk::windowStartingLater()
{
    const chart::Cycle c = cycleOf({{0, 10, 10, 10, 10}, {100, 20, 60, 0, 0}, {300, 0, 0, 60, 0}}, 50);
    const chart::View v = chart::layOut(c, {2, 3, 2, 1, 4});
    QCOMPARE(v.window.start, 100.0f);
    QCOMPARE(v.window.end, 350.0f);
    QCOMPARE(v.grid.labelText(1), QStringLiteral("00100")); // absolute time
    QCOMPARE(v.grid.labelText(2), QStringLiteral("00001")); // offsets from the window start
    QCOMPARE(v.grid.labelText(800), QStringLiteral("00250"));
    // The last point is passed at offset 200 and the end returns to point 1's colour.
    QCOMPARE(rowTexts(v.grid, 800), (strs({"00250", "010", "010", "010"})));
    QCOMPARE(v.markers.selectorLeft, 1240);
}

void TestChartWalk::pointsCloserThanOneStep()
{
    const chart::Cycle c = cycleOf({{0, 0, 100, 0, 0}, {1000, 0, 0, 100, 0}, {1001, 0, 0, 0, 100}, {1002, 0, 50, 50, 50}}, 6998);
    // window 0..8000, step 10 s: points 1001 and 1002 fall inside one step.
    const chart::View v = chart::layOut(c, {1, 4, 1, 1, 5});
    QCOMPARE(v.window.step, 10.0f);
    // Row 100 (t = 1000) reaches point 2, rows 101 and 102 show points 3 and 4
    // with their own offsets, although their sample times are later.
    QCOMPARE(rowTexts(v.grid, 100), (strs({"01000", "001", "099", "001"})));
    QCOMPARE(rowTexts(v.grid, 101), (strs({"01001", "001", "001", "099"})));
    QCOMPARE(rowTexts(v.grid, 102), (strs({"01002", "050", "050", "050"})));
    // Then the walk catches up with the samples of point 4's ramp.
    QCOMPARE(v.grid.labelText(103), QStringLiteral("01030"));
}

void TestChartWalk::windowEndingEarlyRampsToFollowingPoint()
{
    const chart::Cycle c = cycleOf({{0, 100, 0, 0, 0}, {200, 0, 100, 0, 0}, {400, 0, 0, 0, 0}, {1000, 0, 0, 0, 100}},
                                   100);
    // Window points 1..3: ends at 400 + 0 + 100 = 500; the margin ramps to point 4.
    const chart::View v = chart::layOut(c, {1, 3, 1, 1, 5});
    QCOMPARE(v.window.end, 500.0f);
    // t = 500 is 100 s into the 600 s ramp from 400 to 1000: blue 16.67.
    QCOMPARE(v.grid.valueText(800, 3), QStringLiteral("017"));
}

void TestChartWalk::onePointAndOnePointWindow()
{
    const chart::View one = chart::layOut(cycleOf({{7, 3, 20, 30, 40}}, 5), {1, 2, 1, 1, 3});
    QCOMPARE(one.grid.rowCount, 1);
    QCOMPARE(rowTexts(one.grid, 1), (strs({"00007", "020", "030", "040"})));
    QCOMPARE(one.markers.selectorLeft, 1240);
    QCOMPARE(one.markers.stripWidth, 12080);
    QCOMPARE(one.markers.cursorRightX, 13320);
    QVERIFY(!one.markers.rewriteCursorLabels);

    const chart::Cycle three = cycleOf({{0, 1, 0, 0, 0}, {10, 1, 0, 0, 0}, {20, 1, 0, 0, 0}}, 1);
    QCOMPARE(chart::layOut(three, {2, 2, 2, 1, 4}).grid.rowCount, 1);
}

void TestChartWalk::selectorStrip_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("zoomMax");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    // Window 0..1000 s over 12080 units: 12.08 units a second.
    QTest::newRow("first point") << 1 << 3 << 1240 << 1208 + 75;
    QTest::newRow("second point") << 2 << 3 << 1240 + 4832 << 604 + 75;
    QTest::newRow("after the window") << 3 << 2 << 1240 + 8456 << 75;
}

void TestChartWalk::selectorStrip()
{
    QFETCH(int, current);
    QFETCH(int, zoomMax);
    QFETCH(int, left);
    QFETCH(int, width);
    // With zoomMax 2 the window ends at 400 + 50 + 550 = 1000 as well.
    const chart::Cycle c = cycleOf({{0, 100, 0, 0, 0}, {400, 50, 0, 0, 0}, {700, 100, 0, 0, 0}}, 200);
    chart::Cycle c2 = c;
    c2.transition = 550;
    const chart::View v = chart::layOut(zoomMax == 3 ? c : c2, {1, zoomMax, current, 1, 4});
    QCOMPARE(v.markers.selectorLeft, left);
    QCOMPARE(v.markers.stripLeft, left);
    QCOMPARE(v.markers.stripWidth, width);
}

void TestChartWalk::faultyStoreStaysFinite_data()
{
    QTest::addColumn<int>("zoomMin");
    QTest::addColumn<int>("zoomMax");
    QTest::addColumn<qint64>("secondTime");
    QTest::newRow("unsorted: window end before start") << 2 << 3 << qint64(900);
    QTest::newRow("equal times, no length") << 2 << 3 << qint64(0);
    QTest::newRow("unsorted inside a valid window") << 1 << 2 << qint64(900);
    QTest::newRow("zoom positions out of range") << 0 << 70 << qint64(900);
}

void TestChartWalk::faultyStoreStaysFinite()
{
    QFETCH(int, zoomMin);
    QFETCH(int, zoomMax);
    QFETCH(qint64, secondTime);
    // Point 3 lies before point 2 and nothing has any length.
    const chart::Cycle c = cycleOf({{0, 0, 0, 0, 0}, {secondTime, 0, 100, 0, 0}, {0, 0, 0, 100, 0}}, 0);
    const chart::View v = chart::layOut(c, {zoomMin, zoomMax, 3, 1, 4});
    for (int row = 1; row <= v.grid.rowCount; ++row)
        for (int ch = 0; ch < 3; ++ch)
            QVERIFY(std::isfinite(v.grid.value[std::size_t(row - 1)][std::size_t(ch)]));
    const chart::Markers &m = v.markers;
    for (int x : {m.selectorLeft, m.stripLeft, m.stripWidth, m.cursorLeftX, m.cursorRightX})
        QVERIFY(std::abs(x) < 1000000);
    if (!v.window.valid) {
        QCOMPARE(v.grid.rowCount, 1);
        QCOMPARE(m.selectorLeft, 1240);
    }
}

void TestChartWalk::cursorGeometry()
{
    // Window 1..3 (0..1000 s); the right cursor at the end of the cycle.
    const chart::Cycle c = cycleOf({{0, 100, 0, 0, 0}, {400, 50, 0, 0, 0}, {700, 100, 0, 0, 0}}, 200);
    chart::View v = chart::layOut(c, {1, 3, 1, 2, 4});
    QCOMPARE(v.markers.tl, 400);
    QCOMPARE(v.markers.tr, 1000);
    QCOMPARE(v.markers.cursorLeftX, 1240 + 4832);
    QCOMPARE(v.markers.cursorRightX, 13320);
    // A narrow window: a cursor far to the right stays finite.
    v = chart::layOut(cycleOf({{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {99999, 99999, 0, 0, 0}}, 0), {1, 2, 1, 1, 4});
    QVERIFY(v.markers.cursorRightX > 13320 && v.markers.cursorRightX < 13320 + 10 * 12080 + 1);
}

void TestChartWalk::cursorTexts_data()
{
    QTest::addColumn<qint64>("tp");
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("hms");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("current point 3")
        << qint64(250) << true << false
        << strs({"TL = 00100", "TR = 00400", "TP-TL = 00150", "TR-TL = 00300", "TR-TP = 00150"});
    QTest::newRow("tie on the left")
        << qint64(100) << true << false
        << strs({"TL = 00100", "TR = 00400", "TP-TL = 00000", "TR-TL = 00300", "TR-TP = 00300"});
    QTest::newRow("tie on the right")
        << qint64(400) << true << false
        << strs({"TL = 00100", "TR = 00400", "TP-TL = 00300", "TR-TL = 00300", "TR-TP = 00000"});
    QTest::newRow("before the left cursor")
        << qint64(40) << true << false
        << strs({"TL = 00100", "TR = 00400", "TL-TP = 00060", "TR-TL = 00300", "TR-TP = 00360"});
    QTest::newRow("after the right cursor, Italian, hh:mm:ss")
        << qint64(4000) << false << true
        << strs({"TS = 00:01:40", "TD = 00:06:40", "TP-TS = 01:05:00", "TD-TS = 00:05:00", "TP-TD = 01:00:00"});
}

void TestChartWalk::cursorTexts()
{
    QFETCH(qint64, tp);
    QFETCH(bool, english);
    QFETCH(bool, hms);
    QFETCH(QStringList, texts);
    const chart::CursorTexts t = chart::cursorTexts(100, 400, tp, english, hms);
    QStringList got{t.left, t.right, t.deltaL, t.delta, t.deltaR};
    QCOMPARE(got, texts);
}

void TestChartWalk::spanColourAndBar()
{
    using A = std::array<qint64, 3>;
    QCOMPARE(chart::spanColour(A{100, 0, 0}, 10, A{0, 0, 100}, 20, 9.99)[0], 100.0);
    QCOMPARE(chart::spanColour(A{100, 0, 0}, 10, A{0, 0, 100}, 20, 15)[2], 50.0);
    // A ramp of no length: the next colour, nothing non-finite.
    const auto flat = chart::spanColour(A{100, 0, 0}, 10, A{0, 0, 100}, 10, 10);
    QCOMPARE(flat[0], 0.0);
    QCOMPARE(flat[2], 100.0);
    QCOMPARE(chart::simulatorBarWidth(50, 100), 6060);
    QCOMPARE(chart::simulatorBarWidth(0, 100), 75);
    QCOMPARE(chart::simulatorBarWidth(30, 0), 75); // a cycle end of 0
    QCOMPARE(chart::simulatorBarWidth(std::nan(""), 100), 75);
    QCOMPARE(chart::speedLabel(0.1f, true), QStringLiteral("Speed: /10"));
    QCOMPARE(chart::speedLabel(3600.0f, false), QStringLiteral("Velocità: 1ora = 1sec"));
    QCOMPARE(chart::speedLabel(7.0f, true), QStringLiteral("Speed: Real Time"));
}

void TestChartWalk::pacer()
{
    qint64 now = 0;
    chart::SimulatorPacer p;
    p.setClock([&now] { return now; });
    // Ticks that come without waiting stand for the nominal interval.
    for (int i = 0; i < 5; ++i)
        QCOMPARE(p.step(), 0.05);
    // On time, late, and a tick the timer dropped: the wall time is kept.
    p.restart();
    double total = p.step();
    now += 50'000'000;
    total += p.step();
    now += 70'000'000;
    total += p.step();
    now += 100'000'000;
    total += p.step();
    QCOMPARE(total, 0.05 + 0.22);
    // A stall of seconds is not caught up.
    now += 5'000'000'000;
    QCOMPARE(p.step(), 0.05);
    now += 50'000'000;
    QCOMPARE(p.step(), 0.05);
}

QTEST_APPLESS_MAIN(TestChartWalk)
#include "test_chartwalk.moc"
