// The simulator's tick as plain code: holds and ramps, the hand-over from one
// point to the next, a change of speed while playing and the playback moved.
// The end of the cycle and the one-point stop are test_chartform's, played
// through the window.

#include "chart/simulator.h"

#include <QTest>

#include <cmath>

using chart::SimulatorEvent;
using chart::SimulatorState;
using chart::SimulatorTick;

namespace {

// Three points: 0 s red 100 holding 10 s, 100 s green 100 holding 10 s,
// 250 s blue 100 holding 10 s; the cycle ends at 400 s.
const chart::Cycle kThree{{{{1, 0, 10, {100, 0, 0}}, {2, 100, 10, {0, 100, 0}}, {3, 250, 10, {0, 0, 100}}}}, 3, 140};

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
        const SimulatorTick t = p.step(kThree, {1, time, 0}, 1.0);
        QVERIFY(t.event == SimulatorEvent::Playing && t.state.pointCurrent == 1);
        QVERIFY(qAbs(t.colour[0] - red) < 1e-9 && qAbs(t.colour[1] - green) < 1e-9 && t.colour[2] == 0.0);
        // The clock shows the instant before the tick's advance.
        QVERIFY(t.state.clock == time && t.state.time == time + 0.05);
    }

    void speedsAndHandOver()
    {
        // A change of speed while playing takes effect from the next tick.
        Punctual p;
        SimulatorTick t = p.step(kThree, {1, 0, 0}, 1.0);
        QCOMPARE(t.state.time, 0.05);
        t = p.step(kThree, t.state, 20.0);
        QCOMPARE(t.state.time, 1.05);
        t = p.step(kThree, t.state, 0.1);
        QCOMPARE(t.state.clock, 1.05);
        QVERIFY(qAbs(t.state.time - 1.055) < 1e-12);
        // At an hour a second one tick spans 180 s: point 1 ends at once, and
        // the time it had left is dropped rather than carried into point 2.
        Punctual q;
        t = q.step(kThree, {1, 0, 0}, 3600.0);
        QVERIFY(t.event == SimulatorEvent::Playing && t.state.time == 180.0);
        t = q.step(kThree, t.state, 3600.0);
        QVERIFY(t.event == SimulatorEvent::NextPoint && t.state.pointCurrent == 2);
        QVERIFY(t.state.time == 0.0 && t.state.clock == 100.0);
        QCOMPARE(t.colour, (std::array<double, 3>{0, 100, 0}));
        t = q.step(kThree, t.state, 3600.0); // point 2 plays from its own time
        QVERIFY(t.event == SimulatorEvent::Playing && t.state.clock == 100.0);
        QCOMPARE(t.colour, (std::array<double, 3>{0, 100, 0}));
        // The last point ramps back to the first's colour until the cycle's end at 400 s.
        QCOMPARE(q.step(kThree, {3, 80, 0}, 1.0).colour, (std::array<double, 3>{50, 0, 50}));
        // The playback moved to point 2's very time: point 2 plays, nothing of it elapsed.
        t = chart::simulatorAt(kThree, 400, 100.0);
        QVERIFY(t.state.pointCurrent == 2 && t.state.time == 0.0 && t.colour == (std::array<double, 3>{0, 100, 0}));
    }

    // A store left with every point at 0 s, nothing held and no transition (a
    // cycle end of 0) plays on with finite times.
    void zeroLengthCyclePlaysOn()
    {
        Punctual p;
        const chart::Cycle zero{{{{1, 0, 0, {10, 0, 0}}, {2, 0, 0, {10, 0, 0}}, {3, 0, 0, {10, 0, 0}}}}, 3, 0};
        SimulatorTick t;
        for (int i = 0; i < 50; ++i) {
            t = p.step(zero, t.state, 1.0, true);
            QVERIFY(t.event != SimulatorEvent::CycleStop && std::isfinite(t.state.time) && t.state.clock == 0.0);
        }
    }

    // A ramp of no length gives the next colour at once; the bar is at least
    // 75 units, full at the end, 75 for a cycle of no length or no clock; the
    // speed items' factors; pacing on time, late, early, and a tick the timer
    // dropped keep the wall time, a stall of seconds is not caught up.
    void plainRules()
    {
        using A = std::array<qint64, 3>;
        QCOMPARE(chart::spanColour(A{100, 0, 0}, 10, A{0, 0, 100}, 10, 10), (std::array<double, 3>{0, 0, 100}));
        QList<int> bars;
        for (auto [clock, end] : {std::pair{0.0, 40}, {15.0, 40}, {20.0, 40}, {40.0, 40}, {30.0, 0}, {NAN, 100}})
            bars << chart::simulatorBarWidth(clock, end);
        QCOMPARE(bars, (QList<int>{75, 4545, 6060, 12120, 75, 75}));
        QStringList speeds;
        for (const chart::SpeedItem &speed : chart::speedItems())
            speeds << QString::fromLatin1(speed.name).mid(17) + u'=' + QString::number(speed.factor);
        QCOMPARE(speeds.join(u' '), QStringLiteral("R=1 I2=2 I5=5 I10=10 I20=20 I50=50 I100=100 I200=200 I500=500 "
                                                   "I1000=1000 IMS=60 IHS=3600 D2=0.5 D5=0.2 D10=0.1"));
        qint64 now = 0;
        chart::SimulatorPacer p;
        p.setClock([&now] { return now; });
        QList<double> steps; // in milliseconds
        for (qint64 ms : {0, 50, 70, 40, 100, 5000, 50}) {
            now += ms * 1'000'000;
            steps.append(std::round(p.step() * 1000));
        }
        QCOMPARE(steps, (QList<double>{50, 50, 70, 40, 100, 50, 50}));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "test_simulator.moc"
