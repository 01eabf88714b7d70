#include "cyclefile/daylightfit.h"

#include "chart/simulator.h"
#include "cyclefile/cyclefile.h"
#include "store/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace daycycle {

namespace {

using Percent = std::array<int, 3>;

// The ideal at minutes 0..1439, and at 1440 the colour of point 1, which the
// last ramp reaches at midnight.
using Curve = std::array<Colour, kDayMinutes + 1>;

// A point on the minute grid: it stands at `start`, holds its colour up to
// `holdEnd` and then ramps to the next point.
struct Knot
{
    int start = 0;
    int holdEnd = 0;
    Percent colour{};
};

// Where a ramp ends and with what colour.
struct RampEnd
{
    int minute = -1;
    Percent colour{};
};

Percent rounded(const Colour &c)
{
    Percent p{};
    for (std::size_t ch = 0; ch < 3; ++ch)
        p[ch] = int(std::clamp(std::lround(c[ch]), 0L, 100L));
    return p;
}

// The last minute up to which `colour`, held from `start`, stays within
// `tolerance` of the curve.
int holdReach(const Curve &curve, int start, const Percent &colour, double tolerance)
{
    int end = start;
    while (end + 1 < kDayMinutes) {
        const Colour &c = curve[std::size_t(end) + 1];
        bool close = true;
        for (std::size_t ch = 0; ch < 3; ++ch)
            close = close && std::abs(c[ch] - colour[ch]) <= tolerance;
        if (!close)
            break;
        ++end;
    }
    return end;
}

// The farthest end of a straight ramp from `colour` at minute `from` that
// keeps every minute on the way within `tolerance`. The slopes that do so
// narrow down minute by minute to a cone; an end is possible where a whole
// percent near the curve lies inside it. The end at minute 1440 must have
// point 1's colour.
RampEnd rampReach(const Curve &curve, int from, const Percent &colour, double tolerance)
{
    constexpr double kSlack = 1e-9;
    Colour low{};
    Colour high{};
    low.fill(-std::numeric_limits<double>::infinity());
    high.fill(std::numeric_limits<double>::infinity());
    RampEnd best;
    for (int k = from + 1; k <= kDayMinutes; ++k) {
        const Colour &c = curve[std::size_t(k)];
        const auto span = double(k - from);
        RampEnd end{k, {}};
        bool possible = true;
        for (std::size_t ch = 0; ch < 3; ++ch) {
            if (k == kDayMinutes) {
                const double slope = (c[ch] - colour[ch]) / span;
                possible = possible && slope >= low[ch] - kSlack && slope <= high[ch] + kSlack;
                end.colour[ch] = int(c[ch]);
                continue;
            }
            const double top = std::min({c[ch] + tolerance, colour[ch] + high[ch] * span + kSlack, 100.0});
            const double bottom = std::max({c[ch] - tolerance, colour[ch] + low[ch] * span - kSlack, 0.0});
            if (std::ceil(bottom) > std::floor(top)) {
                possible = false;
                continue;
            }
            end.colour[ch] = int(std::clamp(std::round(c[ch]), std::ceil(bottom), std::floor(top)));
        }
        if (possible)
            best = end;
        if (k == kDayMinutes)
            break;
        bool open = true;
        for (std::size_t ch = 0; ch < 3; ++ch) {
            low[ch] = std::max(low[ch], (c[ch] - tolerance - colour[ch]) / span);
            high[ch] = std::min(high[ch], (c[ch] + tolerance - colour[ch]) / span);
            open = open && low[ch] <= high[ch];
        }
        if (!open)
            break;
    }
    return best;
}

// The points of one tolerance, taken greedily: from each point the hold (none,
// all the curve allows, or half of it) whose ramp reaches farthest. Nothing
// when more than `budget` points are needed.
std::optional<std::vector<Knot>> knotsWithin(const Curve &curve, double tolerance, int budget)
{
    std::vector<Knot> knots;
    Knot knot{0, 0, rounded(curve[0])};
    while (int(knots.size()) < budget) {
        const int fullHold = holdReach(curve, knot.start, knot.colour, tolerance);
        RampEnd best;
        for (const int holdEnd : {knot.start, fullHold, (knot.start + fullHold) / 2}) {
            const RampEnd end = rampReach(curve, holdEnd, knot.colour, tolerance);
            if (end.minute > best.minute) {
                best = end;
                knot.holdEnd = holdEnd;
            }
        }
        knots.push_back(knot);
        if (best.minute >= kDayMinutes)
            return knots;
        knot = {best.minute, best.minute, best.colour};
    }
    return std::nullopt;
}

} // namespace

chart::Cycle Fit::cycle() const
{
    chart::Cycle c;
    c.pointCount = int(std::clamp<qsizetype>(points.size(), 1, store::kRowCount));
    c.transition = transition;
    for (int k = 0; k < c.pointCount && k < points.size(); ++k) {
        const FitPoint &p = points[k];
        c.points[std::size_t(k)] = {k + 1, p.time, p.length, {p.rgb[0], p.rgb[1], p.rgb[2]}};
    }
    return c;
}

store::ColourTable Fit::table() const
{
    store::ColourTable t;
    store::emptyTable(t);
    for (int k = 0; k < points.size() && k < store::kRowCount; ++k) {
        const FitPoint &p = points[k];
        store::ColourPoint &row = t.row(k + 1);
        row.setValue(store::Field::PointID, k + 1);
        row.setValue(store::Field::Time, p.time);
        row.setValue(store::Field::Length, p.length);
        row.setValue(store::Field::Red, p.rgb[0]);
        row.setValue(store::Field::Green, p.rgb[1]);
        row.setValue(store::Field::Blue, p.rgb[2]);
    }
    return t;
}

Fit fitCycle(const Ideal &ideal, int budget)
{
    const int points = std::clamp(budget, kMinBudget, kMaxBudget);
    Curve curve{};
    std::copy(ideal.minute.cbegin(), ideal.minute.cend(), curve.begin());
    const Percent first = rounded(curve[0]);
    for (std::size_t ch = 0; ch < 3; ++ch)
        curve[kDayMinutes][ch] = first[ch];

    // Half a percent is the least any tolerance can be (the points' colours
    // are whole percents); with the whole range one point always does.
    double low = 0.5;
    double high = 100.0;
    std::vector<Knot> knots = *knotsWithin(curve, high, points);
    if (const auto least = knotsWithin(curve, low, points)) {
        knots = *least;
    } else {
        for (int step = 0; step < 24; ++step) {
            const double middle = (low + high) / 2;
            if (const auto within = knotsWithin(curve, middle, points)) {
                knots = *within;
                high = middle;
            } else {
                low = middle;
            }
        }
    }

    Fit fit;
    for (const Knot &k : knots)
        fit.points.append({60 * k.start, 60 * (k.holdEnd - k.start), k.colour});
    fit.transition = kDaySeconds - 60 * knots.back().holdEnd;

    // The difference as the program plays the cycle.
    const chart::Cycle cycle = fit.cycle();
    for (int m = 0; m < kDayMinutes; ++m) {
        const chart::SimulatorTick tick = chart::simulatorAt(cycle, cycle.end(), 60.0 * m);
        for (std::size_t ch = 0; ch < 3; ++ch)
            fit.maxDifference[ch] =
                std::max(fit.maxDifference[ch], std::abs(tick.colour[ch] - ideal.minute[std::size_t(m)][ch]));
    }
    return fit;
}

QByteArray cycleFileText(const Fit &fit)
{
    return cyclefile::writeCycle(fit.table(), store::format00000(fit.transition));
}

} // namespace daycycle
