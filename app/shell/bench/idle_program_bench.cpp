// The idle program: started as `main` starts it, on the simulated board, with
// the main window and every tool window it loads on screen (the register
// access window's manager polling, no chart running): CPU time of the process
// per second of wall time, in percent of one core. Target: under 2.

#include "app/core/window_registry.h"
#include "app/shell/main_form.h"
#include "app/shell/startup.h"
#include "benchsupport/bench_application.h"
#include "benchsupport/cpu_share.h"
#include "controls/common/qt_yield.h"
#include "sim/simulated_pc.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void IdleProgramWithEveryToolWindowOpen(benchmark::State& state) {
    vsq::bench::benchApplication();
    vsq::controls::installQtYieldHook();
    vsq::sim::SimulatedPc::instance().reset();

    trelvane::WindowRegistry windows;
    trelvane::Main();
    auto& main = windows.show<trelvane::TMainForm>();
    main.resize(1200, 900);
    int shown = 0;
    for (QMdiSubWindow* tool : main.mdiArea()->subWindowList()) {
        tool->show();
        ++shown;
    }
    vsq::bench::runEventLoop(std::chrono::milliseconds(1500)); // settle past the fast poll
    state.counters["windows"] = shown;
    vsq::bench::measureCpuShare(state, [] { return 0; });
}

} // namespace

BENCHMARK(IdleProgramWithEveryToolWindowOpen)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
