#pragma once

#include "chart/chartwalk.h"
#include "cyclefile/daylight.h"
#include "store/colourtable.h"

#include <QByteArray>
#include <QList>

#include <array>

// The ideal day turned into a cycle the board plays: a few points of whole
// seconds and whole percents whose holds and ramps follow the ideal curves.
namespace daycycle {

struct FitPoint
{
    int time = 0;   // seconds
    int length = 0; // seconds the colour holds before the ramp to the next point
    std::array<int, 3> rgb{};
};

struct Fit
{
    // Point 1 at time 0, times increasing, each hold ending at least a
    // minute before the next point.
    QList<FitPoint> points;
    // The last ramp, back to point 1's colour, ends at midnight.
    int transition = 0;
    // The largest difference in percentage points between the cycle as the
    // simulator plays it and the ideal, per channel, over the day's minutes.
    std::array<double, 3> maxDifference{};

    chart::Cycle cycle() const;
    // The points in rows 1..n of a table, the other rows blank.
    store::ColourTable table() const;
};

// The cycle of at most `budget` points (clamped to 8..64) that keeps the
// largest difference from the ideal as small as it can. Points stand on whole
// minutes. A point either holds its colour while the ideal stays close to it
// (the night, a moonlit stretch) or ramps straight on; the ramp from one point
// ends on the next, whose colour is the whole percent nearest the ideal that
// keeps every minute in between within the tolerance. The tolerance is the
// smallest for which the points fit the budget, found by halving.
Fit fitCycle(const Ideal &ideal, int budget = kMaxBudget);

// The cycle file's text for the fitted cycle.
QByteArray cycleFileText(const Fit &fit);

} // namespace daycycle
