// The cost of the manager's 1 ms poll while its one panel asks for nothing:
// CPU time of the process per second of wall time, in percent of one core
// (target: under 2). The event loop runs for a second per iteration.

#include "controls/common/control_host.h"
#include "controls/manager/qvsmanager.h"
#include "controls/manager/tests/panel_stub.h"
#include "sim/simulated_pc.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "manager_idle_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void IdlePollOnePanel(benchmark::State& state) {
    application();
    vsq::sim::SimulatedPc::instance().reset();
    QWidget window;
    vsq::controls::ControlHost host(window);
    PanelStub panel(&window);
    orvessa::QVSManager manager(&window);
    host.add(panel, "QVSRegInfo1");
    host.add(manager, "QVSManager1");
    vsq::controls::PropertyBag bag;
    bag.append("Enabled", true);
    manager.readProperties(bag);

    double cpu = 0;
    double wall = 0;
    std::uint64_t ticks = 0;
    for (auto _ : state) {
        const std::uint64_t readsBefore = panel.flagReads;
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        QEventLoop loop;
        QTimer::singleShot(std::chrono::seconds(1), &loop, &QEventLoop::quit);
        loop.exec();
        cpu += processCpuSeconds() - cpuBefore;
        wall +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        ticks += panel.flagReads - readsBefore;
    }
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
    state.counters["ticks_per_second"] = static_cast<double>(ticks) / wall;
}

} // namespace

BENCHMARK(IdlePollOnePanel)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
