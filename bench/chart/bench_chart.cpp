// Speed of the chart walk, of a redraw with painting after the cycle changed
// and after a cursor moved, of one simulator tick, of one mouse move of a drag
// on the chart and of the points table's refresh.

#include "benchsupport.h"

#include "chart/chartview.h"
#include "chart/chartwalk.h"
#include "editor/pointstable.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTableView>

#include "benchmain.h"

#include <benchmark/benchmark.h>

static void BM_Grid64(benchmark::State &state)
{
    BenchWindow w(64);
    // Two zoom windows in turn: a layout of the same points and zoom as the
    // last one keeps its grid, and the walk is what is measured here.
    const chart::ViewInput in[2] = {{1, 64, 10, 3, 40}, {1, 63, 10, 3, 40}};
    chart::View view;
    int i = 0;
    for (auto _ : state) {
        const chart::Cycle c = chart::readCycle(w.form->document().table(), 64, 300);
        chart::layOut(c, in[i++ & 1], view);
        benchmark::DoNotOptimize(view.grid.value[799][0]);
    }
}
BENCHMARK(BM_Grid64)->Unit(benchmark::kMicrosecond);

// The window's chart painted alone at 1280 x 800, back in its window at the end.
struct ChartAlone
{
    explicit ChartAlone(FormColour &f)
        : form(f)
        , chart(child<ChartView>(f, "MSChartColorCycle"))
    {
        chart->setParent(nullptr);
        chart->resize(1280, 800);
    }
    ~ChartAlone() { chart->setParent(&form); }
    ChartAlone(const ChartAlone &) = delete;
    ChartAlone &operator=(const ChartAlone &) = delete;
    FormColour &form;
    ChartView *chart;
};

// A redraw after the cycle changed (point 10's red level, back and forth):
// the walk, and the chart drawn anew and painted whole at 1280 x 800.
static void BM_RedrawWithPaint(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    const ChartAlone alone(f);
    ChartView *chart = alone.chart;
    f.CommandCursorLeftView_Click();
    f.CommandCursorRightView_Click();
    store::ColourPoint &point = f.document().table().row(10);
    const qint64 red = point.value(store::Field::Red);
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        point.setValue(store::Field::Red, (i++ & 1) != 0 ? red : 100 - red);
        f.DataBaseView();
        chart->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RedrawWithPaint)->Unit(benchmark::kMillisecond);

// A redraw after the left cursor moved a point (back and forth): the window's
// redraw, and what the screen repaints, the chart where the cursor stood
// and where it stands now, at 1280 x 800.
static void BM_RedrawMarkerMove(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    const ChartAlone alone(f);
    ChartView *chart = alone.chart;
    f.CommandCursorLeftView_Click();
    f.CommandCursorRightView_Click();
    const auto *cursor = chart->findChild<QWidget *>(QStringLiteral("CommandCursorLeft"));
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    chart->render(&image);
    int i = 0;
    for (auto _ : state) {
        const QRect was = cursor->geometry();
        if ((i++ & 1) != 0)
            f.CommandCursorLeftL_Click();
        else
            f.CommandCursorLeftR_Click();
        const QRegion exposed = QRegion(was) + cursor->geometry();
        chart->render(&image, exposed.boundingRect().topLeft(), exposed);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RedrawMarkerMove)->Unit(benchmark::kMicrosecond);

static void BM_PaintOnly(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    const ChartAlone alone(f);
    ChartView *chart = alone.chart;
    f.DataBaseView();
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintOnly)->Unit(benchmark::kMillisecond);

static void BM_ViewOnly(benchmark::State &state)
{
    BenchWindow w(64);
    for (auto _ : state)
        w.form->DataBaseView();
}
BENCHMARK(BM_ViewOnly)->Unit(benchmark::kMicrosecond);

static void BM_SimulatorTick(benchmark::State &state)
{
    BenchWindow w(2);
    FormColour &f = *w.form;
    // Point 1 ramps for most of the day: every tick computes a new colour.
    f.document().table().row(1).setValue(store::Field::Length, 0);
    f.document().table().row(2).setValue(store::Field::Time, 86000);
    f.mnuEnableSimulator_Click();
    f.CommandStart_MouseUp(Qt::LeftButton, 1, 1);
    for (auto _ : state)
        f.TimerMove_Timer();
    benchmark::DoNotOptimize(f.simulatorClock());
}
BENCHMARK(BM_SimulatorTick)->Unit(benchmark::kMicrosecond);

// One mouse move of a point dragged on the chart: the store, the editor,
// the colour outputs, the redraw with the points table's refresh, the tip,
// and the chart painted at 1280 x 800.
static void BM_DragMoveWithPaint(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    const ChartAlone alone(f);
    ChartView *chart = alone.chart;
    f.DataBaseView();
    const store::ColourPoint &p = f.document().table().row(10);
    const QPointF at(chart->pixelX(f.chartLayout().window.x(double(p.value(store::Field::Time)))),
                     chart->levelY(double(p.value(store::Field::Red))));
    QMouseEvent press(QEvent::MouseButtonPress, at, chart->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(chart, &press);
    if (!f.chartDragging())
        state.SkipWithError("no point picked");
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        const QPointF to = at + QPointF((i % 7) - 3, (i % 11) - 5);
        ++i;
        QMouseEvent move(QEvent::MouseMove, to, chart->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
        chart->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    f.chartDragCancel();
}
BENCHMARK(BM_DragMoveWithPaint)->Unit(benchmark::kMillisecond);

// The points table's model reading 64 rows that have all changed, with its
// view attached.
static void BM_PointsTableRefresh64(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    auto &model = *qobject_cast<editor::PointsTableModel *>(child<QTableView>(f, "PointsTableView")->model());
    store::ColourTable &rows = f.document().table();
    model.refresh(64, true, false);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int k = 1; k <= 64; ++k)
            rows.row(k).setValue(store::Field::Green, (k + i) % 101);
        ++i;
        state.ResumeTiming();
        model.refresh(64, true, false);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_PointsTableRefresh64)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
