// Speed of a daylight cycle from a place and a date: the sky (libnova's
// positions, rises and sets), the light of each minute with moonlight, the
// fit into 64 points, and the three together as a user's request runs them.

#include "cyclefile/daylightfit.h"

#include <benchmark/benchmark.h>

namespace {

const daycycle::Place kMilan{45.46, 9.19, QTimeZone("Europe/Rome"), {}};
const QDate kDate(2027, 5, 17);
const daycycle::Options kOptions{{100, 90, 80}, 30, 0, 0, 64};

} // namespace

static void BM_Sky(benchmark::State &state)
{
    for (auto _ : state) {
        const daycycle::Sky sky(kMilan, kDate);
        benchmark::DoNotOptimize(sky.events().sunrise);
    }
}
BENCHMARK(BM_Sky)->Unit(benchmark::kMillisecond);

static void BM_Light(benchmark::State &state)
{
    const daycycle::Sky sky(kMilan, kDate);
    for (auto _ : state) {
        const daycycle::Ideal ideal = daycycle::idealDay(sky, kOptions);
        benchmark::DoNotOptimize(ideal.minute[720][0]);
    }
}
BENCHMARK(BM_Light)->Unit(benchmark::kMillisecond);

static void BM_Fit64(benchmark::State &state)
{
    const daycycle::Ideal ideal = daycycle::idealDay(kMilan, kDate, kOptions);
    for (auto _ : state) {
        const daycycle::Fit fit = daycycle::fitCycle(ideal, 64);
        benchmark::DoNotOptimize(fit.maxDifference[0]);
    }
}
BENCHMARK(BM_Fit64)->Unit(benchmark::kMillisecond);

// The whole request; the aim is under 50 ms.
static void BM_DaylightCycle(benchmark::State &state)
{
    for (auto _ : state) {
        const daycycle::Fit fit = daycycle::fitCycle(daycycle::idealDay(kMilan, kDate, kOptions), 64);
        benchmark::DoNotOptimize(fit.points.size());
    }
}
BENCHMARK(BM_DaylightCycle)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
