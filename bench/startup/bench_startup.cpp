// Process start to first painted window: Orvanta's main window against a bare
// QMainWindow. Each iteration starts the child, reads the clock it printed at
// its first paint and takes the difference with the clock just before the start.
// The paired measure starts the two one after the other, so that both meet
// the same load of the machine, and reports the median of the ratios.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char **environ;

namespace {

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Returns the seconds from spawn to first paint, or a negative value on failure.
double startOnce(const char *mode)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    char *args[] = {const_cast<char *>(STARTUP_CHILD), const_cast<char *>(mode), nullptr};
    const long long started = nowNs();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, STARTUP_CHILD, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return -1;
    }
    std::string out;
    char buf[64];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, std::size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (out.empty())
        return -1;
    return double(std::atoll(out.c_str()) - started) / 1e9;
}

void run(benchmark::State &state, const char *mode)
{
    for (auto _ : state) {
        const double seconds = startOnce(mode);
        if (seconds < 0) {
            state.SkipWithError("the child did not paint");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartupOrvanta(benchmark::State &state) { run(state, "orvanta"); }

void BM_StartupPaired(benchmark::State &state)
{
    std::vector<double> ratios;
    for (auto _ : state) {
        const double bare = startOnce("bare");
        const double orvanta = startOnce("orvanta");
        if (bare <= 0 || orvanta < 0) {
            state.SkipWithError("the child did not paint");
            break;
        }
        ratios.push_back(orvanta / bare);
        state.SetIterationTime(orvanta);
    }
    if (!ratios.empty()) {
        std::sort(ratios.begin(), ratios.end());
        state.counters["ratio_median"] = ratios[ratios.size() / 2];
    }
}
void BM_StartupBareMainWindow(benchmark::State &state) { run(state, "bare"); }

} // namespace

BENCHMARK(BM_StartupBareMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StartupOrvanta)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StartupPaired)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

BENCHMARK_MAIN();
