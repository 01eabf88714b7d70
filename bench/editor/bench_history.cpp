// Undo and redo of a Shift of the later points of a full 64-point cycle,
// with the editor's whole refresh (editor, chart redraw, sliders, outputs).

#include "benchsupport.h"

#include "editor/rules.h"

#include <QApplication>
#include <QUndoStack>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

// A 64-point cycle with points 3..64 shifted 30 s later as one step of the history.
void shiftOnce(FormColour &f)
{
    f.CommandNext_Click();
    f.CommandNext_Click();
    const editor::CycleState before = f.document().state();
    editor::shiftLaterPoints(f.document().table(), f.document().pointCount(), f.document().pointCurrent(), 30);
    f.DataBaseCheck();
    f.document().table().moveTo(f.document().pointCurrent());
    f.pointRefresh();
    f.document().record(before, editor::shiftLabel(f.document().pointCurrent()));
}

void BM_UndoShift64(benchmark::State &state)
{
    BenchWindow w(64);
    shiftOnce(*w.form);
    QUndoStack &history = *w.form->document().history();
    for (auto _ : state) {
        history.undo();
        state.PauseTiming();
        history.redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoShift64)->Unit(benchmark::kMillisecond);

void BM_RedoShift64(benchmark::State &state)
{
    BenchWindow w(64);
    shiftOnce(*w.form);
    QUndoStack &history = *w.form->document().history();
    for (auto _ : state) {
        state.PauseTiming();
        history.undo();
        state.ResumeTiming();
        history.redo();
    }
}
BENCHMARK(BM_RedoShift64)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
