// The simulator's tick as plain code: holds and ramps, the hand-over from one
// point to the next, the end of the cycle with and without restart, the
// one-point stop and a change of speed while playing.

#include "chart/simulator.h"

#include <QTest>

#include <cmath>

using chart::SimulatorEvent;
using chart::SimulatorState;
using chart::SimulatorTick;

namespace {

// Three points: 0 s red 100 holding 10 s, 100 s green 100 holding 10 s,
// 250 s blue 100 holding 10 s; the cycle ends at 400 s.
chart::Cycle threePoints()
{
    chart::Cycle c;
    c.pointCount = 3;
    c.points[0] = {1, 0, 10, {100, 0, 0}};
    c.points[1] = {2, 100, 10, {0, 100, 0}};
    c.points[2] = {3, 250, 10, {0, 0, 100}};
    c.transition = 140;
    return c;
}

// A pacer on a clock that moves 50 ms a tick, as a punctual timer does.
struct Punctual
{
    qint64 now = 0;
    chart::SimulatorPacer pacer;
    Punctual()
    {
        pacer.setClock([this] { return now; });
    }
    SimulatorTick step(const chart::Cycle &c, const SimulatorState &s, double speed, bool restart = false)
    {
        now += 50'000'000;
        return chart::simulatorStep(c, c.end(), s, speed, restart, pacer);
    }
};

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void holdThenRamp_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("red");
        QTest::addColumn<double>("green");
        QTest::newRow("start of the hold") << 0.0 << 100.0 << 0.0;
        QTest::newRow("end of the hold") << 9.99 << 100.0 << 0.0;
        QTest::newRow("start of the ramp") << 10.0 << 100.0 << 0.0;
        QTest::newRow("half-way down the ramp") << 55.0 << 50.0 << 50.0;
        QTest::newRow("just before point 2") << 99.0 << (100.0 / 90.0) << (100.0 - 100.0 / 90.0);
    }
    void holdThenRamp()
    {
        QFETCH(double, time);
        QFETCH(double, red);
        QFETCH(double, green);
        Punctual p;
        const SimulatorTick t = p.step(threePoints(), {1, time, 0}, 1.0);
        QCOMPARE(t.event, SimulatorEvent::Playing);
        QCOMPARE(t.state.pointCurrent, 1);
        QVERIFY(qAbs(t.colour[0] - red) < 1e-9 && qAbs(t.colour[1] - green) < 1e-9 && t.colour[2] == 0.0);
        // The clock shows the instant before the tick's advance.
        QCOMPARE(t.state.clock, time);
        QCOMPARE(t.state.time, time + 0.05);
    }

    void pointsHandOverOnePerTick()
    {
        // At an hour a second one tick spans 180 s: point 1 ends at once, and
        // the time it had left is dropped rather than carried into point 2.
        Punctual p;
        const chart::Cycle c = threePoints();
        SimulatorTick t = p.step(c, {1, 0, 0}, 3600.0);
        QCOMPARE(t.event, SimulatorEvent::Playing);
        QCOMPARE(t.state.time, 180.0);
        t = p.step(c, t.state, 3600.0);
        QCOMPARE(t.event, SimulatorEvent::NextPoint);
        QCOMPARE(t.state.pointCurrent, 2);
        QCOMPARE(t.state.time, 0.0);
        QCOMPARE(t.state.clock, 100.0);
        QCOMPARE(t.colour, (std::array<double, 3>{0, 100, 0}));
        // Point 2 plays from its own time.
        t = p.step(c, t.state, 3600.0);
        QCOMPARE(t.event, SimulatorEvent::Playing);
        QCOMPARE(t.state.clock, 100.0);
        QCOMPARE(t.colour, (std::array<double, 3>{0, 100, 0}));
    }

    void cycleEnds_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::addColumn<SimulatorEvent>("event");
        QTest::newRow("restart on") << true << SimulatorEvent::CycleRestart;
        QTest::newRow("restart off") << false << SimulatorEvent::CycleStop;
    }
    void cycleEnds()
    {
        QFETCH(bool, restart);
        QFETCH(SimulatorEvent, event);
        Punctual p;
        const chart::Cycle c = threePoints();
        // Point 3 ramps back to point 1's red until the end at 400 s.
        SimulatorTick t = p.step(c, {3, 80, 0}, 1.0, restart);
        QCOMPARE(t.event, SimulatorEvent::Playing);
        QCOMPARE(t.colour, (std::array<double, 3>{50, 0, 50}));
        t = p.step(c, {3, 150, 0}, 1.0, restart);
        QCOMPARE(t.event, event);
        QCOMPARE(t.state.pointCurrent, 1);
        QCOMPARE(t.state.clock, 0.0);
        QCOMPARE(t.state.time, 0.0);
        QCOMPARE(t.colour, (std::array<double, 3>{100, 0, 0}));
    }

    void onePointCannotPlay()
    {
        chart::Cycle one;
        one.pointCount = 1;
        one.points[0] = {1, 0, 100, {10, 20, 30}};
        Punctual p;
        const SimulatorTick t = p.step(one, {1, 5, 42}, 1.0);
        QCOMPARE(t.event, SimulatorEvent::OnePoint);
        QCOMPARE(t.state.clock, 0.0);
    }

    // Ticks of 50 ms at a speed, from point 1 at 0 s, until another point is
    // current: the tick that reaches a point's time hands over.
    void ticksToTheNextPoint_data()
    {
        QTest::addColumn<qint64>("second");   // point 2's time
        QTest::addColumn<qint64>("length");   // point 1's hold
        QTest::addColumn<double>("speed");
        QTest::addColumn<QList<int>>("points"); // the point current after each tick
        QTest::newRow("1 s ramp after no hold") << qint64(1) << qint64(0) << 1.0 << (QList<int>(20, 1) << 2);
        QTest::newRow("an hour a second, 100 s apart") << qint64(100) << qint64(10) << 3600.0 << QList<int>{1, 2, 2, 3};
        QTest::newRow("*20, 1 s apart") << qint64(1) << qint64(0) << 20.0 << QList<int>{1, 2, 2, 3};
    }
    void ticksToTheNextPoint()
    {
        QFETCH(qint64, second);
        QFETCH(qint64, length);
        QFETCH(double, speed);
        chart::Cycle c;
        c.pointCount = 3;
        c.points[0] = {1, 0, length, {0, 100, 0}};
        c.points[1] = {2, second, length, {0, 0, 100}};
        c.points[2] = {3, 2 * second, length, {100, 0, 0}};
        QFETCH(QList<int>, points);
        Punctual p;
        SimulatorState s;
        QList<int> seen;
        for (int i = 0; i < points.size(); ++i) {
            s = p.step(c, s, speed).state;
            seen << s.pointCurrent;
        }
        QCOMPARE(seen, points);
    }

    // A store left with every point at 0 s, nothing held and no transition (a
    // cycle end of 0) plays on with finite times.
    void zeroLengthCyclePlaysOn()
    {
        chart::Cycle c;
        c.pointCount = 3;
        for (int k = 0; k < 3; ++k)
            c.points[std::size_t(k)] = {k + 1, 0, 0, {10, 0, 0}};
        Punctual p;
        SimulatorTick t;
        for (int i = 0; i < 50; ++i) {
            t = p.step(c, t.state, 1.0, true);
            QVERIFY(t.event != SimulatorEvent::CycleStop && std::isfinite(t.state.time) && t.state.clock == 0.0);
        }
    }

    void colourOfASpan_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("span");
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<double>("red");
        QTest::newRow("held") << qint64(10) << qint64(20) << 9.0 << 100.0;
        QTest::newRow("half-way") << qint64(10) << qint64(20) << 15.0 << 50.0;
        QTest::newRow("a ramp of no length: the next colour at once") << qint64(10) << qint64(10) << 10.0 << 0.0;
    }
    void colourOfASpan()
    {
        QFETCH(qint64, length);
        QFETCH(qint64, span);
        QFETCH(double, elapsed);
        QTEST(chart::spanColour({100, 0, 0}, length, {0, 0, 100}, span, elapsed)[0], "red");
    }

    void barWidth_data()
    {
        QTest::addColumn<double>("clock");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<int>("width");
        QTest::newRow("start: at least 75") << 0.0 << qint64(40) << 75;
        QTest::newRow("15 of 40 s") << 15.0 << qint64(40) << 4545;
        QTest::newRow("20 of 40 s") << 20.0 << qint64(40) << 6060;
        QTest::newRow("the end: full") << 40.0 << qint64(40) << 12120;
        QTest::newRow("a cycle of no length") << 0.0 << qint64(0) << 75;
    }
    void barWidth()
    {
        QFETCH(double, clock);
        QFETCH(qint64, end);
        QTEST(chart::simulatorBarWidth(clock, end), "width");
    }

    void speeds_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<float>("factor");
        QTest::newRow("real time") << QStringLiteral("mnuSimulatorSpeedR") << 1.0f;
        QTest::newRow("*200") << QStringLiteral("mnuSimulatorSpeedI200") << 200.0f;
        QTest::newRow("*1000") << QStringLiteral("mnuSimulatorSpeedI1000") << 1000.0f;
        QTest::newRow("1 min") << QStringLiteral("mnuSimulatorSpeedIMS") << 60.0f;
        QTest::newRow("1 hour") << QStringLiteral("mnuSimulatorSpeedIHS") << 3600.0f;
        QTest::newRow("/10") << QStringLiteral("mnuSimulatorSpeedD10") << 0.1f;
    }
    void speeds()
    {
        QFETCH(QString, item);
        float factor = -1;
        for (const chart::SpeedItem &speed : chart::speedItems())
            if (item == QLatin1String(speed.name))
                factor = speed.factor;
        QTEST(factor, "factor");
    }

    void speedChangesMidPlay()
    {
        Punctual p;
        const chart::Cycle c = threePoints();
        SimulatorTick t = p.step(c, {1, 0, 0}, 1.0);
        QCOMPARE(t.state.time, 0.05);
        t = p.step(c, t.state, 20.0);
        QCOMPARE(t.state.time, 1.05);
        t = p.step(c, t.state, 0.1);
        QCOMPARE(t.state.clock, 1.05);
        QVERIFY(qAbs(t.state.time - 1.055) < 1e-12);
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "test_simulator.moc"
