// CPU cost of one timer tick of the board link on the window: supervision in
// both modes (also on the board session alone), the name reading, and the
// write and read jobs. The board is the in-process virtual one, so its own
// small work is counted in.

#include "store/numbers.h"
#include "support/boardfixture.h"

#include <QApplication>

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
    board::BoardSession &session = w.boardSession();
    w.mnuUsbOn_Click();
    f->tickUntil([&session] { return session.isOnline(); });
    f->tick();
    if (interfaceMode) {
        w.mnuUsbInterfaceOn_Click();
        f->tickUntil([&session] { return session.namesLoaded(); });
        f->tick();
        w.mnuUsbInterfaceOnCycle_Click(3);
    }
    return f;
}

// Ticks until the supervision cycle is at its step 0, where an armed job
// runs at once.
void toCycleStart(BoardFixture &f)
{
    f.tickUntil([&f] { return f.form->boardSession().cycleStep() == 0; }, 8);
}

void supervision(benchmark::State &state, bool interfaceMode)
{
    auto f = online(interfaceMode);
    for (auto _ : state)
        f->tick();
    if (!f->form->boardSession().isOnline() || !f->dialogs.shown.isEmpty())
        state.SkipWithError("the link went down");
}

// The same cycle on the session alone, without the window.
void sessionSupervision(benchmark::State &state, bool interfaceMode)
{
    auto f = online(interfaceMode);
    board::BoardSession &session = f->form->boardSession();
    for (auto _ : state) {
        f->port.advance(50);
        session.tick();
    }
    if (!session.isOnline() || !f->dialogs.shown.isEmpty())
        state.SkipWithError("the link went down");
}

// Each job armed as its command item arms it, without the confirmation.
void job(benchmark::State &state, board::Job kind)
{
    auto f = online(true);
    board::BoardSession &session = f->form->boardSession();
    const board::WriteSource source{&f->form->document().table(), 64, 0};
    toCycleStart(*f);
    for (auto _ : state) {
        if (!session.isArmed(kind)) {
            state.PauseTiming();
            if (!(kind == board::Job::Write ? session.armWrite(source) : session.armRead()))
                state.SkipWithError("the job did not start");
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
static void BM_SessionSupervisionTickEmulator(benchmark::State &state) { sessionSupervision(state, false); }
static void BM_SessionSupervisionTickInterface(benchmark::State &state) { sessionSupervision(state, true); }

static void BM_NameReadingTick(benchmark::State &state)
{
    auto f = online(true);
    board::BoardSession &session = f->form->boardSession();
    toCycleStart(*f);
    for (auto _ : state) {
        if (session.namesLoaded()) {
            state.PauseTiming();
            session.readNames();
            state.ResumeTiming();
        }
        f->tick();
    }
    if (!f->dialogs.shown.isEmpty())
        state.SkipWithError("the name reading failed");
}

static void BM_WriteJobTick(benchmark::State &state) { job(state, board::Job::Write); }
static void BM_ReadJobTick(benchmark::State &state) { job(state, board::Job::Read); }

BENCHMARK(BM_SupervisionTickEmulator)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SupervisionTickInterface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SessionSupervisionTickEmulator)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SessionSupervisionTickInterface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NameReadingTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteJobTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadJobTick)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
