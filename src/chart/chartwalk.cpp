#include "chart/chartwalk.h"

#include "store/numbers.h"

#include <algorithm>
#include <cmath>

namespace chart {

using store::Field;

const CyclePoint &Cycle::at(int position) const { return points[std::size_t(std::clamp(position, 1, pointCount) - 1)]; }

qint64 Cycle::end() const
{
    const CyclePoint &last = at(pointCount);
    return last.time + last.length + transition;
}

bool Cycle::sameAs(const Cycle &other) const
{
    return pointCount == other.pointCount && transition == other.transition
           && std::equal(points.begin(), points.begin() + pointCount, other.points.begin());
}

Cycle readCycle(const store::ColourTable &table, int pointCount, qint64 transition)
{
    Cycle c;
    c.pointCount = std::clamp(pointCount, 1, store::kRowCount);
    c.transition = transition;
    for (int k = 1; k <= c.pointCount; ++k) {
        const store::ColourPoint &row = table.row(k);
        CyclePoint &p = c.points[std::size_t(k - 1)];
        p.id = row.value(Field::PointID);
        p.time = row.value(Field::Time);
        p.length = row.value(Field::Length);
        p.rgb = {row.value(Field::Red), row.value(Field::Green), row.value(Field::Blue)};
    }
    return c;
}

double Window::x(double t) const
{
    if (!valid)
        return kPlotLeft;
    const double x = kPlotLeft + (t - double(start)) * kPlotWidth / (double(end) - double(start));
    // A cursor far outside a narrow window stays far outside, but finite and
    // inside the range of the overlays' integer coordinates.
    constexpr double margin = 10.0 * kPlotWidth;
    if (!std::isfinite(x))
        return kPlotLeft;
    return std::clamp(x, kPlotLeft - margin, kPlotRight + margin);
}

namespace {

qint64 roundSeconds(double v)
{
    if (!std::isfinite(v))
        return 0;
    return qint64(std::llround(std::clamp(v, -1e12, 1e12)));
}

float adjusted(float v)
{
    if (v == 100.0f)
        return 99.0f;
    if (v == 0.0f)
        return 1.0f;
    return v;
}

int toInt(double v) { return int(std::clamp(std::lround(std::clamp(v, -1e9, 1e9)), -1000000000L, 1000000000L)); }

// Row 1: the window's first point, as it is; rows 2..800: the samples of
// the walk through the window.
void walkGrid(const Cycle &cycle, int zoomMin, int zoomMax, const Window &w, Grid &g)
{
    const int count = cycle.pointCount;
    const CyclePoint &first = cycle.at(1);
    const CyclePoint &wFirst = cycle.at(zoomMin);
    g.startUp = false;
    g.label[0] = wFirst.time;
    for (int ch = 0; ch < 3; ++ch)
        g.value[0][std::size_t(ch)] = float(wFirst.rgb[std::size_t(ch)]);

    if (zoomMax - zoomMin >= 1 && count >= 2 && w.valid) {
        g.rowCount = kRows;
        int c = zoomMin;
        for (int i = 2; i <= kRows; ++i) {
            const float t = w.start + float(i) * w.step;
            const CyclePoint &cur = cycle.at(c);
            const bool inner = cur.id < count && c < count;
            float nextTime;
            const std::array<qint64, 3> *nextRgb;
            if (inner) {
                const CyclePoint &n = cycle.at(c + 1);
                nextTime = float(n.time);
                nextRgb = &n.rgb;
            } else {
                nextTime = w.end;
                nextRgb = &first.rgb;
            }
            std::array<float, 3> &row = g.value[std::size_t(i - 1)];
            if (t < nextTime) {
                const float holdEnd = float(cur.time + cur.length);
                if (t < holdEnd) {
                    for (int ch = 0; ch < 3; ++ch)
                        row[std::size_t(ch)] = float(cur.rgb[std::size_t(ch)]);
                } else {
                    const float span = nextTime - holdEnd;
                    const float f = span > 0 ? std::clamp((t - holdEnd) / span, 0.0f, 1.0f) : 1.0f;
                    for (int ch = 0; ch < 3; ++ch) {
                        const float a = float(cur.rgb[std::size_t(ch)]);
                        const float b = float((*nextRgb)[std::size_t(ch)]);
                        row[std::size_t(ch)] = a + f * (b - a);
                    }
                }
                g.label[std::size_t(i - 1)] = roundSeconds(double(float(i) * w.step));
            } else {
                for (int ch = 0; ch < 3; ++ch)
                    row[std::size_t(ch)] = float((*nextRgb)[std::size_t(ch)]);
                g.label[std::size_t(i - 1)] = roundSeconds(double(nextTime - w.start));
                if (inner)
                    ++c;
            }
        }
    } else {
        g.rowCount = 1;
    }
}

} // namespace

QString Grid::labelText(int row) const
{
    if (startUp)
        return QStringLiteral("0");
    return store::format00000(label[std::size_t(std::clamp(row, 1, kRows) - 1)]);
}

int Grid::valueNumber(int row, int column) const
{
    const int r = std::clamp(row, 1, kRows);
    const float v = value[std::size_t(r - 1)][std::size_t(std::clamp(column, 1, 3) - 1)];
    return int(std::lround(r == 1 ? v : adjusted(v)));
}

QString Grid::valueText(int row, int column) const
{
    if (startUp)
        return QStringLiteral("0");
    return store::format000(valueNumber(row, column));
}

Grid Grid::startUpGrid()
{
    Grid g;
    g.rowCount = 1;
    g.startUp = true;
    return g;
}

int clampPercent(qint64 percent) { return int(std::clamp<qint64>(percent, 0, 100)); }

void layOut(const Cycle &cycle, const ViewInput &in, View &out)
{
    const int count = cycle.pointCount;
    const int zoomMin = std::clamp(in.zoomMin, 1, count);
    const int zoomMax = std::clamp(in.zoomMax, 1, count);

    // The window: from the time of its first point to the hold of its last
    // point plus the transition.
    Window &w = out.window;
    const CyclePoint &wFirst = cycle.at(zoomMin);
    const CyclePoint &wLast = cycle.at(zoomMax);
    w.start = float(wFirst.time);
    w.end = float(wLast.time + wLast.length + cycle.transition);
    w.step = (w.end - w.start) / float(kRows);
    w.valid = w.end > w.start && std::isfinite(w.step);

    // The grid depends on nothing else than the points and the zoom.
    const bool walk = out.walkedZoomMin != zoomMin || out.walkedZoomMax != zoomMax || !cycle.sameAs(out.walked);
    if (walk) {
        walkGrid(cycle, zoomMin, zoomMax, w, out.grid);
        out.walked = cycle;
        out.walkedZoomMin = zoomMin;
        out.walkedZoomMax = zoomMax;
    }


    // The cursors.
    Markers &m = out.markers;
    const int left = std::clamp(in.cursorLeftPoint, 1, count);
    m.rewriteCursorLabels = count > 1;
    if (count == 1) {
        m.leftCursorTime = 0;
        m.cursorLeftX = kPlotLeft;
    } else {
        m.leftCursorTime = cycle.at(left).time;
        m.cursorLeftX = toInt(w.x(double(m.leftCursorTime)));
    }
    m.rightCursorTime = in.cursorRightPoint <= count ? cycle.at(std::max(in.cursorRightPoint, 1)).time : cycle.end();
    m.cursorRightX = count == 1 ? kPlotRight : toInt(w.x(double(m.rightCursorTime)));

    // The selector marker over the current point's hold.
    const int current = std::clamp(in.pointCurrent, 1, count);
    if (count == 1) {
        m.selectedTime = 0;
        m.selectorLeft = kPlotLeft;
        m.stripLeft = kPlotLeft;
        m.stripWidth = kPlotWidth;
    } else {
        const CyclePoint &p = cycle.at(current);
        m.selectedTime = p.time;
        m.selectorLeft = toInt(w.x(double(p.time)));
        m.stripLeft = m.selectorLeft;
        if (in.pointCurrent > zoomMax)
            m.stripWidth = kBarWidth;
        else
            m.stripWidth = std::max(0, toInt(w.x(double(p.time + p.length))) - m.stripLeft + kBarWidth);
    }
}

View layOut(const Cycle &cycle, const ViewInput &in)
{
    View v;
    layOut(cycle, in, v);
    return v;
}

QString timeText(qint64 seconds, bool hms) { return store::timeText(seconds, hms); }

CursorTexts cursorTexts(qint64 tl, qint64 tr, qint64 tp, bool english, bool hms)
{
    const auto pick = [english](const char *en, const char *it) { return QString::fromLatin1(english ? en : it); };
    CursorTexts t;
    t.left = pick("TL = ", "TS = ") + timeText(tl, hms);
    t.right = pick("TR = ", "TD = ") + timeText(tr, hms);
    if (tp >= tl)
        t.deltaL = pick("TP-TL = ", "TP-TS = ") + timeText(tp - tl, hms);
    else
        t.deltaL = pick("TL-TP = ", "TS-TP = ") + timeText(tl - tp, hms);
    t.delta = pick("TR-TL = ", "TD-TS = ") + timeText(tr - tl, hms);
    if (tp > tr)
        t.deltaR = pick("TP-TR = ", "TP-TD = ") + timeText(tp - tr, hms);
    else
        t.deltaR = pick("TR-TP = ", "TD-TP = ") + timeText(tr - tp, hms);
    return t;
}

} // namespace chart
