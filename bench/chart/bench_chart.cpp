// Speed of the chart walk, of a full redraw with painting, and of one
// simulator tick.

#include "benchsupport.h"

#include "chart/chartview.h"
#include "chart/chartwalk.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

static void BM_Grid64(benchmark::State &state)
{
    BenchWindow w(64);
    const chart::ViewInput in{1, 64, 10, 3, 40};
    chart::View view;
    for (auto _ : state) {
        const chart::Cycle c = chart::readCycle(w.form->table(), 64, 300);
        chart::layOut(c, in, view);
        benchmark::DoNotOptimize(view.grid.value[799][0]);
    }
}
BENCHMARK(BM_Grid64)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_RedrawWithPaint(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    ChartView *chart = f.MSChartColorCycle;
    chart->setParent(nullptr); // paint the chart alone, at 1280 x 800
    chart->resize(1280, 800);
    f.CommandCursorLeftView_Click();
    f.CommandCursorRightView_Click();
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f.DataBaseView();
        chart->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    chart->setParent(&f);
}
BENCHMARK(BM_RedrawWithPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_PaintOnly(benchmark::State &state)
{
    BenchWindow w(64);
    FormColour &f = *w.form;
    ChartView *chart = f.MSChartColorCycle;
    chart->setParent(nullptr);
    chart->resize(1280, 800);
    f.DataBaseView();
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    chart->setParent(&f);
}
BENCHMARK(BM_PaintOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ViewOnly(benchmark::State &state)
{
    BenchWindow w(64);
    for (auto _ : state)
        w.form->DataBaseView();
}
BENCHMARK(BM_ViewOnly)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_SimulatorTick(benchmark::State &state)
{
    BenchWindow w(2);
    FormColour &f = *w.form;
    // Point 1 ramps for most of the day: every tick computes a new colour.
    f.table().row(1).setValue(store::Field::Length, 0);
    f.table().row(2).setValue(store::Field::Time, 86000);
    f.mnuEnableSimulator_Click();
    f.CommandStart_MouseUp(Qt::LeftButton, 1, 1);
    for (auto _ : state)
        f.TimerMove_Timer();
    benchmark::DoNotOptimize(f.SimulatorClock);
}
BENCHMARK(BM_SimulatorTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
