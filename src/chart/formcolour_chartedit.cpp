// Editing where the user looks: a point of a curve dragged with the left
// button (time sideways between its neighbours, the channel's level up and
// down), nudged with the keyboard, the zoom window narrowed and widened with
// the wheel, and the playback moved along the simulator bar.

#include "app/formcolour.h"

#include "app/tags.h"
#include "chart/chartview.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QWheelEvent>

#include <cmath>

using store::Field;

namespace {

constexpr Field kChannels[3] = {Field::Red, Field::Green, Field::Blue};
// Reach of the pointer around a point of a curve, in pixels.
constexpr double kReach = 10.0;
// Nudges of one point follow each other as one step of the history.
constexpr int kNudgeMerge = 2101;
// Ctrl+Shift with an arrow moves the point by a minute.
constexpr qint64 kMinuteNudge = 60;
// The simulator bar: its full width in window units stands for the whole cycle.
constexpr double kSimulatorBarUnits = 12120.0;

} // namespace

void FormColour::connectChartEdit()
{
    ChartDragTip = new QLabel(MSChartColorCycle);
    ChartDragTip->setObjectName(QStringLiteral("ChartDragTip"));
    ChartDragTip->setAttribute(Qt::WA_TransparentForMouseEvents);
    ChartDragTip->setStyleSheet(
        QStringLiteral("QLabel { background: rgb(255, 255, 225); color: black; border: 1px solid rgb(118, 118, "
                       "118); padding: 1px 4px; }"));
    ChartDragTip->hide();
}

bool FormColour::chartEditAllowed() const
{
    return historyAllowed() && mnuEnableColorCycle->isChecked() && ChartLayout->window.valid;
}

qint64 FormColour::chartTimeAt(double x) const
{
    const chart::Window &window = ChartLayout->window;
    const double units = MSChartColorCycle->unitsAt(x);
    const double t = double(window.start)
                     + (units - chart::kPlotLeft) * double(window.end - window.start) / double(chart::kPlotWidth);
    return std::llround(std::clamp(t, 0.0, double(editor::kDayLength)));
}

std::optional<std::pair<int, int>> FormColour::chartPointAt(const QPointF &pos) const
{
    const store::ColourTable &points = doc().table();
    const QRect plot = MSChartColorCycle->plotRect();
    std::optional<std::pair<int, int>> found;
    double best = kReach;
    for (int k = 1; k <= doc().pointCount(); ++k) {
        const store::ColourPoint &p = points.row(k);
        const double x = MSChartColorCycle->pixelX(ChartLayout->window.x(double(p.value(Field::Time))));
        if (x < plot.left() - kReach || x > plot.right() + kReach)
            continue;
        for (int ch = 0; ch < 3; ++ch) {
            const double y = MSChartColorCycle->levelY(double(p.value(kChannels[ch])));
            const double d = std::hypot(pos.x() - x, pos.y() - y);
            // Curves on top of each other: the channel picked last wins.
            if (d < best || (d == best && found && ch == m_chartChannel)) {
                best = d;
                found = std::pair{k, ch};
            }
        }
    }
    return found;
}

void FormColour::chartDragStart(int point, int channel, const QPointF &pressed)
{
    if (point != doc().pointCurrent()) {
        doc().setPointCurrent(point);
        table().moveTo(doc().pointCurrent());
        pointRefresh();
    }
    m_chartChannel = channel;
    const store::ColourPoint &p = table().row(point);
    // The point keeps its place under the pointer: a press a few pixels off
    // it moves nothing until the pointer moves.
    const QPointF at(MSChartColorCycle->pixelX(ChartLayout->window.x(double(p.value(Field::Time)))),
                     MSChartColorCycle->levelY(double(p.value(kChannels[channel]))));
    m_chartDrag = ChartDrag{point, channel, doc().state(), at - pressed, pressed};
}

void FormColour::chartDragMove(const QPointF &pointer, bool oneAxis)
{
    const ChartDrag &drag = *m_chartDrag;
    const QPointF pos = pointer + drag.grab;
    store::ColourTable &points = table();
    store::ColourPoint &row = points.row(drag.point);
    const editor::MoveRange range =
        editor::pointMoveRange(points, doc().pointCount(), drag.point, doc().transitionTime());
    qint64 time = std::clamp(chartTimeAt(pos.x()), range.min, range.max);
    qint64 level = std::clamp<qint64>(std::llround(MSChartColorCycle->levelAt(pos.y())), 0, 100);
    // Shift held: the point moves along the axis the pointer has gone
    // further on since the press, and keeps its place on the other.
    if (oneAxis) {
        const store::ColourPoint &start = drag.before.rows[std::size_t(drag.point - 1)];
        const QPointF moved = pointer - drag.pressed;
        if (std::abs(moved.x()) >= std::abs(moved.y()))
            level = start.value(kChannels[drag.channel]);
        else
            time = start.value(Field::Time);
    }
    row.setValue(Field::Time, time);
    row.setValue(kChannels[drag.channel], level);
    // The editor, the board in emulator mode and the chart follow live.
    points.moveTo(doc().pointCurrent());
    DataBaseRead();
    DataBaseData();
    DataBaseView();

    ChartDragTip->setText(store::timeText(time, hmsMode()) + QStringLiteral("   ")
                          + MSChartColorCycle->columnLabel(drag.channel + 1) + u' ' + QString::number(level)
                          + QStringLiteral(" %"));
    ChartDragTip->adjustSize();
    QPoint at = pointer.toPoint() + QPoint(14, -ChartDragTip->height() - 6);
    at.setX(std::clamp(at.x(), 0, std::max(0, MSChartColorCycle->width() - ChartDragTip->width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, MSChartColorCycle->height() - ChartDragTip->height())));
    ChartDragTip->move(at);
    ChartDragTip->show();
    ChartDragTip->raise();
}

void FormColour::chartDragEnd()
{
    const editor::CycleState before = m_chartDrag->before;
    m_chartDrag.reset();
    ChartDragTip->hide();
    // Checked and shown as a saved point is; the time stayed inside its
    // neighbours' limits, so the point keeps its place.
    DataBaseCheck();
    table().moveTo(doc().pointCurrent());
    pointRefresh();
    doc().record(before, editor::editLabel(doc().pointCurrent()));
}

void FormColour::chartDragCancel()
{
    const editor::CycleState before = m_chartDrag->before;
    m_chartDrag.reset();
    ChartDragTip->hide();
    restoreCycleState(before);
}

void FormColour::chartNudge(qint64 seconds, int percent)
{
    const editor::CycleState before = doc().state();
    store::ColourTable &points = table();
    store::ColourPoint &row = points.row(doc().pointCurrent());
    if (seconds != 0) {
        const editor::MoveRange range =
            editor::pointMoveRange(points, doc().pointCount(), doc().pointCurrent(), doc().transitionTime());
        row.setValue(Field::Time, std::clamp(row.value(Field::Time) + seconds, range.min, range.max));
    }
    if (percent != 0) {
        const Field f = kChannels[m_chartChannel];
        row.setValue(f, std::clamp<qint64>(row.value(f) + percent, 0, 100));
    }
    DataBaseCheck();
    points.moveTo(doc().pointCurrent());
    pointRefresh();
    doc().record(before, editor::editLabel(doc().pointCurrent()), kNudgeMerge);
}

bool FormColour::chartWheelZooms() const
{
    // As the zoom sliders allow: both on, a window to narrow, no point being edited.
    return doc().pointCount() >= 3 && SliderZoomMin->isEnabled() && SliderZoomMax->isEnabled()
           && editorMode() == EditorMode::Browse && ChartLayout->window.valid && !m_chartDrag;
}

void FormColour::chartWheel(double x, int steps)
{
    if (steps == 0 || !chartWheelZooms())
        return;
    // The point nearest in time to the pointer stays in the window.
    const qint64 t = chartTimeAt(x);
    const store::ColourTable &points = table();
    int p = 1;
    for (int k = 2; k <= doc().pointCount(); ++k) {
        if (std::llabs(points.row(k).value(Field::Time) - t) < std::llabs(points.row(p).value(Field::Time) - t))
            p = k;
    }
    int lo = SliderZoomMin->value();
    int hi = SliderZoomMax->value();
    p = std::clamp(p, lo, hi);
    for (int i = 0; i < std::abs(steps); ++i) {
        if (steps > 0 && hi - lo > 2) {
            if (p - lo >= hi - p)
                ++lo;
            else
                --hi;
        } else if (steps < 0) {
            if (lo > 1 && (hi >= doc().pointCount() || p - lo <= hi - p))
                --lo;
            else if (hi < doc().pointCount())
                ++hi;
        }
    }
    // Through the sliders: their own rules keep the window, their release
    // brings the current point into it and redraws.
    const int oldLo = SliderZoomMin->value();
    const int oldHi = SliderZoomMax->value();
    SliderZoomMin->setValue(lo);
    SliderZoomMax->setValue(hi);
    if (SliderZoomMin->value() != oldLo)
        zoomSliderReleased(SliderZoomMin);
    if (SliderZoomMax->value() != oldHi)
        zoomSliderReleased(SliderZoomMax);
}

void FormColour::simulatorScrub(double clock)
{
    const chart::SimulatorTick tick = chart::simulatorAt(
        chart::readCycle(table(), doc().pointCount(), doc().transitionTime()), SimulatorCycleEnd, clock);
    const bool pointChanged = tick.state.pointCurrent != doc().pointCurrent();
    doc().setPointCurrent(tick.state.pointCurrent);
    table().moveTo(doc().pointCurrent());
    SimulatorTime = tick.state.time;
    SimulatorClock = tick.state.clock;
    SimulatorPacer.restart();
    setCurrentColour(tick.colour);
    if (pointChanged)
        simulatorShowPoint();
    DataBaseData();
    MSChartColorCycle->setUnitWidth(CommandCursorSimulator,
                                    chart::simulatorBarWidth(SimulatorClock, SimulatorCycleEnd));
    simulatorDisplayStep();
}

bool FormColour::chartEditEvent(QObject *watched, QEvent *event)
{
    if (watched != MSChartColorCycle)
        return false;
    const QEvent::Type type = event->type();
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPointF pos = mouse->position();
        if (SimulatorRunning && MSChartColorCycle->simulatorBand().contains(pos.toPoint())) {
            m_simulatorScrubbing = true;
            simulatorScrub((MSChartColorCycle->unitsAt(pos.x()) - chart::kPlotLeft) / kSimulatorBarUnits
                           * double(SimulatorCycleEnd));
            return true;
        }
        if (!chartEditAllowed())
            return false;
        // The chart takes the keyboard for its arrows, but only when it may
        // change the cycle: a field being typed keeps it.
        MSChartColorCycle->setFocus(Qt::MouseFocusReason);
        // A drag whose release never came (a message box took it) ends first.
        if (m_chartDrag)
            chartDragEnd();
        if (const auto picked = chartPointAt(pos)) {
            chartDragStart(picked->first, picked->second, pos);
            return true;
        }
        return false;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_simulatorScrubbing) {
            if (SimulatorRunning)
                simulatorScrub((MSChartColorCycle->unitsAt(mouse->position().x()) - chart::kPlotLeft)
                               / kSimulatorBarUnits * double(SimulatorCycleEnd));
            return true;
        }
        if (!m_chartDrag)
            return false;
        chartDragMove(mouse->position(), mouse->modifiers() & Qt::ShiftModifier);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (m_simulatorScrubbing) {
            m_simulatorScrubbing = false;
            return true;
        }
        if (!m_chartDrag)
            return false;
        chartDragEnd();
        return true;
    }
    case QEvent::Wheel: {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        // A wheel that cannot zoom scrolls the window, as it always has.
        if (!chartWheelZooms() || wheel->angleDelta().y() == 0)
            return false;
        // One notch is 120; a touchpad's small deltas add up to notches.
        m_chartWheelPending += wheel->angleDelta().y();
        const int steps = m_chartWheelPending / 120;
        m_chartWheelPending -= steps * 120;
        chartWheel(wheel->position().x(), steps);
        return true;
    }
    case QEvent::ShortcutOverride: {
        // A drag has the keyboard: Escape ends it before the window's own
        // Escape sees it, and no shortcut (Undo, a board command) reaches the
        // cycle while it is in the air.
        if (m_chartDrag) {
            event->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (m_chartDrag) {
            if (key->key() == Qt::Key_Escape)
                chartDragCancel();
            return true;
        }
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        // Ctrl counts only with Shift and a sideways arrow: a minute's nudge.
        const bool minute = shift && (key->modifiers() & Qt::ControlModifier)
                            && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right);
        const Qt::KeyboardModifiers allowed =
            Qt::ShiftModifier | Qt::KeypadModifier | (minute ? Qt::ControlModifier : Qt::NoModifier);
        if (!chartEditAllowed() || (key->modifiers() & ~allowed))
            return false;
        const qint64 step = minute ? kMinuteNudge : 1;
        switch (key->key()) {
        case Qt::Key_Left:
            if (shift)
                chartNudge(-step, 0);
            else
                CommandPrevious_Click();
            return true;
        case Qt::Key_Right:
            if (shift)
                chartNudge(step, 0);
            else
                CommandNext_Click();
            return true;
        case Qt::Key_Up: chartNudge(0, 1); return true;
        case Qt::Key_Down: chartNudge(0, -1); return true;
        default: return false;
        }
    }
    default: return false;
    }
}
