// The cost of the manager's 1 ms poll while its one panel asks for nothing:
// CPU time of the process per second of wall time, in percent of one core
// (target: under 2), once the idle manager has settled; beside it a bare Qt
// timer at 1 ms for comparison. The event loop runs a second per iteration.

#include "controls/common/control_host.h"
#include "controls/manager/qvsmanager.h"
#include "controls/manager/tests/panel_stub.h"
#include "sim/simulated_pc.h"

#include <QApplication>
#include <QBasicTimer>
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

void runEventLoop(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop a second per iteration and reports the CPU share and
// the rate of `ticks`.
template <class Ticks> void measure(benchmark::State& state, Ticks ticksSoFar) {
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

// For comparison: a bare Qt timer at 1 ms, doing nothing.
class BareTimer : public QObject {
public:
    std::uint64_t ticks = 0;
    QBasicTimer timer;

protected:
    void timerEvent(QTimerEvent*) override { ++ticks; }
};

void BareQtTimerAt1ms(benchmark::State& state) {
    application();
    BareTimer bare;
    bare.timer.start(1, Qt::PreciseTimer, &bare);
    measure(state, [&] { return bare.ticks; });
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
    runEventLoop(std::chrono::milliseconds(orvessa::QVSManager::kIdleTicks * 3 / 2)); // settle

    measure(state, [&] { return panel.flagReads; });
}

} // namespace

BENCHMARK(IdlePollOnePanel)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BareQtTimerAt1ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
