#pragma once

#include "store/colourtable.h"

#include <QString>

#include <array>

// The chart of the colour cycle as plain numbers: the sampled grid of rows
// with their labels and three channel values, and where the selector marker
// and the two measuring cursors stand. Everything is in the window's own
// horizontal units, where the plot area runs from kPlotLeft to kPlotRight.
namespace chart {

inline constexpr int kPlotLeft = 1240;
inline constexpr int kPlotRight = 13320;
inline constexpr int kPlotWidth = kPlotRight - kPlotLeft;
inline constexpr int kBarWidth = 75;
inline constexpr int kRows = 800;

// One used point of the store, read once as numbers.
struct CyclePoint
{
    qint64 id = 0;
    qint64 time = 0;
    qint64 length = 0;
    std::array<qint64, 3> rgb{};

    bool operator==(const CyclePoint &other) const = default;
};

// The used points of the cycle (positions 1..pointCount) and its transition.
struct Cycle
{
    std::array<CyclePoint, store::kRowCount> points{};
    int pointCount = 1; // 1..64, whatever the form's counter says
    qint64 transition = 0;

    const CyclePoint &at(int position) const;
    // Time + Length of the last point + transition.
    qint64 end() const;
    // The same used points and transition.
    bool sameAs(const Cycle &other) const;
};

// Reads the first `pointCount` rows (clamped to 1..64) of the table.
Cycle readCycle(const store::ColourTable &table, int pointCount, qint64 transition);

// What the redraw needs besides the store.
struct ViewInput
{
    int zoomMin = 1;
    int zoomMax = 2;
    int pointCurrent = 1;
    int cursorLeftPoint = 1;
    int cursorRightPoint = 2;
};

// The zoom window in seconds and its mapping onto the window's units.
struct Window
{
    float start = 0; // TS0
    float end = 0;   // TE0
    float step = 0;  // (end - start) / 800
    // False when the window's end is not after its start (a store left
    // unsorted by a fault): every time then maps to the plot's left edge.
    bool valid = false;

    // x(t) = 1240 + (t - start) * 12080 / (end - start), kept finite and
    // within a few plot widths of the plot area.
    double x(double t) const;
};

// The rows of the chart. Row 1 is the window start; rows 2..800 are the
// samples of the walk. The levels are kept as they are and drawn so (0 % on
// the time axis, 100 % on the plot's top edge); the grid's texts and numbers
// of rows 2..800 carry the display adjustment (100 -> 99, 0 -> 1), row 1's
// none.
struct Grid
{
    int rowCount = 1;
    // Label of each row in whole seconds, and the three channels' levels.
    std::array<qint64, kRows> label{};
    std::array<std::array<float, 3>, kRows> value{};
    // The start-up chart: one row labelled "0" holding "0".
    bool startUp = false;

    // Row 1..rowCount; column 1..3.
    QString labelText(int row) const;
    QString valueText(int row, int column) const;
    int valueNumber(int row, int column) const;

    bool operator==(const Grid &other) const = default;

    static Grid startUpGrid();
};

// Where the overlays stand, in window units, and the cursor and selector times.
struct Markers
{
    int selectorLeft = kPlotLeft;
    int stripLeft = kPlotLeft;
    int stripWidth = kPlotWidth;
    int cursorLeftX = kPlotLeft;
    int cursorRightX = kPlotRight;
    // With one point the cursor labels are left as they are.
    bool rewriteCursorLabels = false;
    qint64 leftCursorTime = 0;
    qint64 rightCursorTime = 0;
    qint64 selectedTime = 0;
};

struct View
{
    Window window;
    Grid grid;
    Markers markers;
    // What the grid was walked from: a redraw with the same points and zoom
    // (a cursor or the current point that moved) keeps the grid as it is.
    Cycle walked;
    int walkedZoomMin = 0;
    int walkedZoomMax = 0;
};

// The whole redraw: window, grid walk, selector marker and cursors. The
// walk is left out when `out` holds the one of the same points and zoom.
void layOut(const Cycle &cycle, const ViewInput &in, View &out);
View layOut(const Cycle &cycle, const ViewInput &in);

// The five cursor and difference labels.
struct CursorTexts
{
    QString left;
    QString right;
    QString deltaL;
    QString delta;
    QString deltaR;
};

// A time in the display mode in force: "00000" or hh:mm:ss.
QString timeText(qint64 seconds, bool hms);

// From the left cursor's, the right cursor's and the selected point's times.
CursorTexts cursorTexts(qint64 leftTime, qint64 rightTime, qint64 selectedTime, bool english, bool hms);

// Percent of a channel, clamped 0..100, and the colour it shows.
int clampPercent(qint64 percent);

} // namespace chart
