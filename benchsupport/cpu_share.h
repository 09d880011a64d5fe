#pragma once
// The CPU share of an idle event loop: the process's CPU time per second of
// wall time, in percent of one core, while the Qt event loop runs a second per
// benchmark iteration; or of a piece of work that waits, over its run.

#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <ctime>

namespace vsq::bench {

// The CPU time this process has used, in seconds.
inline double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline void runEventLoop(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop a second per iteration and reports the CPU share
// ("cpu_percent_of_core") and how fast `ticksSoFar()` grows ("ticks_per_second").
template <class Ticks> void measureCpuShare(benchmark::State& state, Ticks ticksSoFar) {
    double cpu = 0;
    double wall = 0;
    std::uint64_t ticks = 0;
    for (auto _ : state) {
        const std::uint64_t ticksBefore = ticksSoFar();
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        runEventLoop(std::chrono::seconds(1));
        cpu += processCpuSeconds() - cpuBefore;
        wall +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        ticks += ticksSoFar() - ticksBefore;
    }
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
    state.counters["ticks_per_second"] = static_cast<double>(ticks) / wall;
}

// Runs `work` once per iteration and reports the CPU share it took over its
// wall time ("cpu_percent_of_core") and the wall seconds per run ("seconds").
template <class Work> void measureCpuShareOf(benchmark::State& state, Work work) {
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        work();
        cpu += processCpuSeconds() - cpuBefore;
        wall +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    }
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
    state.counters["seconds"] = wall / static_cast<double>(state.iterations());
}

} // namespace vsq::bench
