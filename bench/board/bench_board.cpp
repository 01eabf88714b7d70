// CPU cost of one timer tick of the board link on the window: supervision in
// both modes, the name reading, and the write and read jobs. The board is the
// in-process virtual one, so its own small work is counted in.

#include "app/tags.h"
#include "store/numbers.h"
#include "support/boardfixture.h"

#include <QApplication>
#include <QProgressBar>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

// A window online with the virtual board, in interface mode when asked,
// with a 64-point cycle and slot 3 selected.
std::unique_ptr<BoardFixture> online(bool interfaceMode)
{
    auto f = std::make_unique<BoardFixture>(1);
    FormColour &w = *f->form;
    store::emptyTable(w.document().table());
    for (int k = 1; k <= 64; ++k) {
        store::ColourPoint &p = w.document().table().row(k);
        p.setValue(store::Field::PointID, k);
        p.setValue(store::Field::Time, (k - 1) * 1300);
        p.setValue(store::Field::Length, 100);
        p.setValue(store::Field::Red, k);
    }
    w.document().setPointCount(64);
    w.mnuUsbOn_Click();
    f->tickUntil([&w] { return w.BoardOnline; });
    f->tick();
    if (interfaceMode) {
        w.mnuUsbInterfaceOn_Click();
        f->tickUntil([&w] { return w.SlotNamesLoaded; });
        f->tick();
        w.mnuUsbInterfaceOnCycle_Click(3);
    }
    return f;
}

// Arms a job as its command item does, without the confirmation.
void arm(BoardFixture &f, const char *item, int failureStep)
{
    FormColour &w = *f.form;
    w.ProgressBarWait->setMaximum(failureStep);
    w.ProgressBarWait->setValue(0);
    setTag(w.ProgressBarWait, QStringLiteral("M"));
    f.item(item)->setChecked(true);
    w.UsbState = 0;
}

void supervision(benchmark::State &state, bool interfaceMode)
{
    auto f = online(interfaceMode);
    for (auto _ : state)
        f->tick();
    if (!f->form->BoardOnline || !f->dialogs.shown.isEmpty())
        state.SkipWithError("the link went down");
}

void job(benchmark::State &state, const char *item, int failureStep)
{
    auto f = online(true);
    QAction *action = f->item(item);
    for (auto _ : state) {
        if (!action->isChecked()) {
            state.PauseTiming();
            arm(*f, item, failureStep);
            state.ResumeTiming();
        }
        f->tick();
    }
    if (!f->dialogs.shown.isEmpty())
        state.SkipWithError("a job failed");
}

} // namespace

static void BM_SupervisionTickEmulator(benchmark::State &state) { supervision(state, false); }
static void BM_SupervisionTickInterface(benchmark::State &state) { supervision(state, true); }

static void BM_NameReadingTick(benchmark::State &state)
{
    auto f = online(true);
    FormColour &w = *f->form;
    for (auto _ : state) {
        if (w.SlotNamesLoaded) {
            state.PauseTiming();
            w.SlotNamesLoaded = false;
            w.ProgressBarWait->setMaximum(34);
            w.ProgressBarWait->setValue(0);
            setTag(w.ProgressBarWait, QStringLiteral("M"));
            w.UsbState = 0;
            state.ResumeTiming();
        }
        f->tick();
    }
    if (!f->dialogs.shown.isEmpty())
        state.SkipWithError("the name reading failed");
}

static void BM_WriteJobTick(benchmark::State &state) { job(state, "mnuUsbInterfaceOnCommandWr", 56); }
static void BM_ReadJobTick(benchmark::State &state) { job(state, "mnuUsbInterfaceOnCommandRd", 55); }

BENCHMARK(BM_SupervisionTickEmulator)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SupervisionTickInterface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NameReadingTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteJobTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadJobTick)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
