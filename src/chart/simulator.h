#pragma once

#include "chart/chartwalk.h"

#include <QString>

#include <array>
#include <functional>

// Plain rules of the simulator: the colour of a point's span at an instant,
// the speed items, and the pacing of the playback against the wall clock.
namespace chart {

// The colour `elapsed` seconds after the start of a point that holds its
// colour for `length` seconds and then ramps linearly to the next colour,
// reached `span` seconds after its start. A ramp of no length gives the next
// colour at once.
std::array<double, 3> spanColour(const std::array<qint64, 3> &cur, qint64 length, const std::array<qint64, 3> &next,
                                 qint64 span, double elapsed);

// Width of the simulator bar for a clock inside a cycle of `cycleEnd`
// seconds: clock / end of 12120 units, at least 75; 75 when the cycle has no
// length.
int simulatorBarWidth(double clock, qint64 cycleEnd);

// One speed item of the simulator.
struct SpeedItem
{
    const char *name;
    float factor;
    const char *labelEnglish;
    const char *labelItalian;
};
// The fifteen items, in menu order.
const std::array<SpeedItem, 15> &speedItems();
// The speed label's caption for a speed factor in a language (the language
// switch rewrites the label from SimulatorSpeed); real time for an unknown factor.
QString speedLabel(float factor, bool english);

// Paces the playback. Every playing tick asks how many wall-clock seconds it
// stands for: the timer's nominal 50 ms, or more when the ticks have fallen
// behind the wall clock (a busy event loop delays or drops timer ticks), so
// that the simulated time keeps up with real time instead of losing every
// late or missed tick. A stall of more than a second (a modal dialog, a
// suspended machine) is not caught up: the pacing starts afresh.
class SimulatorPacer
{
public:
    static constexpr double kNominal = 0.05;
    static constexpr double kMaxCatchUp = 1.0;

    using Clock = std::function<qint64()>; // monotonic nanoseconds

    SimulatorPacer();
    // A clock of the caller's choice (tests freeze or script it).
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The next tick starts the measure afresh (start, resume).
    void restart() { m_started = false; }
    // The wall-clock seconds this tick stands for.
    double step();

private:
    Clock m_clock;
    bool m_started = false;
    qint64 m_origin = 0;
    double m_credited = 0;
};

// What the simulator keeps from one tick to the next.
struct SimulatorState
{
    int pointCurrent = 1; // the point playing, 1-based
    double time = 0;      // seconds since that point's time
    double clock = 0;     // the simulated time of day shown, seconds
};

// What a tick asks of the window besides showing the state and the colour.
enum class SimulatorEvent {
    Playing,      // inside the current point's span
    NextPoint,    // the point ended: the next one is current
    CycleRestart, // the cycle ended: back to point 1, playback goes on
    CycleStop,    // the cycle ended: back to point 1, playback stops
    OnePoint,     // a cycle of one point cannot play: stop and say so
};

struct SimulatorTick
{
    SimulatorState state;
    std::array<double, 3> colour{}; // percent
    SimulatorEvent event = SimulatorEvent::Playing;
};

// One tick of a playing (not paused) simulator over `cycle`, which ends at
// `cycleEnd` seconds. A point that has ended hands over to the next one at
// its own time, and the time it had left is dropped; after the last point the
// cycle starts again at point 1 when `restart` is on. Otherwise the colour is
// the one of the instant before this tick's advance, and the time moves on by
// `speed` times the wall-clock seconds `pacer` gives for the tick.
SimulatorTick simulatorStep(const Cycle &cycle, qint64 cycleEnd, const SimulatorState &state, double speed,
                            bool restart, SimulatorPacer &pacer);

// The playback moved to the instant `clock` (clamped into the cycle): the
// point playing then, the time since its start, and the colour of that
// instant, as the ticks would have reached them.
SimulatorTick simulatorAt(const Cycle &cycle, qint64 cycleEnd, double clock);

} // namespace chart
