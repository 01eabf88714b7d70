#include "chart/simulator.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace chart {

std::array<double, 3> spanColour(const std::array<qint64, 3> &cur, qint64 length, const std::array<qint64, 3> &next,
                                 qint64 span, double elapsed)
{
    std::array<double, 3> out{};
    if (elapsed < double(length)) {
        for (std::size_t ch = 0; ch < 3; ++ch)
            out[ch] = double(cur[ch]);
        return out;
    }
    const double ramp = double(span) - double(length);
    double f = ramp > 0 ? (elapsed - double(length)) / ramp : 1.0;
    if (!std::isfinite(f))
        f = 1.0;
    f = std::clamp(f, 0.0, 1.0);
    for (std::size_t ch = 0; ch < 3; ++ch)
        out[ch] = double(cur[ch]) + f * double(next[ch] - cur[ch]);
    return out;
}

int simulatorBarWidth(double clock, qint64 cycleEnd)
{
    constexpr int kFull = 12120;
    constexpr int kMin = 75;
    if (cycleEnd <= 0 || !std::isfinite(clock))
        return kMin;
    const double w = clock / double(cycleEnd) * kFull;
    if (!(w >= kMin))
        return kMin;
    return int(std::min(w, double(kFull)));
}

const std::array<SpeedItem, 15> &speedItems()
{
    static const std::array<SpeedItem, 15> items{{
        {"mnuSimulatorSpeedR", 1.0f, "Speed: Real Time", "Velocità: Tempo Reale"},
        {"mnuSimulatorSpeedI2", 2.0f, "Speed: *2", "Velocità: *2"},
        {"mnuSimulatorSpeedI5", 5.0f, "Speed: *5", "Velocità: *5"},
        {"mnuSimulatorSpeedI10", 10.0f, "Speed: *10", "Velocità: *10"},
        {"mnuSimulatorSpeedI20", 20.0f, "Speed: *20", "Velocità: *20"},
        {"mnuSimulatorSpeedI50", 50.0f, "Speed: *50", "Velocità: *50"},
        {"mnuSimulatorSpeedI100", 100.0f, "Speed: *100", "Velocità: *100"},
        {"mnuSimulatorSpeedI200", 200.0f, "Speed: *200", "Velocità: *200"},
        {"mnuSimulatorSpeedI500", 500.0f, "Speed: *500", "Velocità: *500"},
        {"mnuSimulatorSpeedI1000", 1000.0f, "Speed: *1000", "Velocità: *1000"},
        {"mnuSimulatorSpeedIMS", 60.0f, "Speed: 1min = 1sec", "Velocità: 1min = 1sec"},
        {"mnuSimulatorSpeedIHS", 3600.0f, "Speed: 1hour = 1sec", "Velocità: 1ora = 1sec"},
        {"mnuSimulatorSpeedD2", 0.5f, "Speed: /2", "Velocità: /2"},
        {"mnuSimulatorSpeedD5", 0.2f, "Speed: /5", "Velocità: /5"},
        {"mnuSimulatorSpeedD10", 0.1f, "Speed: /10", "Velocità: /10"},
    }};
    return items;
}

QString speedLabel(float factor, bool english)
{
    const SpeedItem *found = &speedItems()[0];
    for (const SpeedItem &item : speedItems())
        if (item.factor == factor)
            found = &item;
    return QString::fromUtf8(english ? found->labelEnglish : found->labelItalian);
}

SimulatorPacer::SimulatorPacer()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer] { return timer->nsecsElapsed(); };
}

double SimulatorPacer::step()
{
    const qint64 now = m_clock();
    if (!m_started) {
        // The first tick stands for the timer interval that led to it.
        m_started = true;
        m_origin = now - qint64(kNominal * 1e9);
        m_credited = 0;
    }
    const double due = double(now - m_origin) / 1e9 - m_credited;
    double dt = kNominal;
    if (due > kMaxCatchUp) {
        // A stall: start the measure again from this tick.
        m_origin = now - qint64(kNominal * 1e9);
        m_credited = 0;
    } else if (due >= kNominal / 2) {
        // A tick on time or late: it stands for the wall time since the last.
        dt = due;
    }
    // A tick that comes much sooner than the timer's interval (or a caller
    // that ticks without waiting) stands for the nominal interval.
    m_credited += dt;
    return dt;
}

SimulatorTick simulatorStep(const Cycle &cycle, qint64 cycleEnd, const SimulatorState &state, double speed,
                            bool restart, SimulatorPacer &pacer)
{
    SimulatorTick tick;
    tick.state = state;
    if (cycle.pointCount < 2) {
        tick.state.clock = 0;
        tick.event = SimulatorEvent::OnePoint;
        return tick;
    }
    const int current = std::clamp(state.pointCurrent, 1, cycle.pointCount);
    const CyclePoint &cur = cycle.at(current);
    const bool last = current == cycle.pointCount;
    const CyclePoint &next = cycle.at(last ? 1 : current + 1);
    const qint64 nextTime = last ? cycleEnd : next.time;
    const std::array<double, 3> nextColour{double(next.rgb[0]), double(next.rgb[1]), double(next.rgb[2])};

    // The time is compared as the window keeps it, in single precision.
    if (double(cur.time) + double(float(state.time)) >= double(nextTime)) {
        tick.colour = nextColour;
        tick.state.time = 0;
        if (!last) {
            tick.state.pointCurrent = current + 1;
            tick.state.clock = double(nextTime);
            tick.event = SimulatorEvent::NextPoint;
        } else {
            tick.state.pointCurrent = 1;
            tick.state.clock = 0;
            tick.event = restart ? SimulatorEvent::CycleRestart : SimulatorEvent::CycleStop;
        }
        return tick;
    }
    tick.state.pointCurrent = current;
    tick.colour = spanColour(cur.rgb, cur.length, next.rgb, nextTime - cur.time, state.time);
    tick.state.clock = double(cur.time) + state.time;
    tick.state.time = state.time + speed * pacer.step();
    return tick;
}

SimulatorTick simulatorAt(const Cycle &cycle, qint64 cycleEnd, double clock)
{
    SimulatorTick tick;
    const int count = std::clamp(cycle.pointCount, 1, store::kRowCount);
    const double at = std::clamp(std::isfinite(clock) ? clock : 0.0, 0.0, double(std::max<qint64>(cycleEnd, 0)));
    int current = 1;
    while (current < count && double(cycle.at(current + 1).time) <= at)
        ++current;
    const CyclePoint &cur = cycle.at(current);
    const bool last = current == count;
    const CyclePoint &next = cycle.at(last ? 1 : current + 1);
    const qint64 nextTime = last ? cycleEnd : next.time;
    const double elapsed = std::max(0.0, at - double(cur.time));
    tick.state = {current, elapsed, at};
    tick.colour = spanColour(cur.rgb, cur.length, next.rgb, nextTime - cur.time, elapsed);
    tick.event = SimulatorEvent::Playing;
    return tick;
}

} // namespace chart
