// The cost of the manager's 1 ms poll while its one panel asks for nothing:
// CPU time of the process per second of wall time, in percent of one core
// (target: under 2), once the idle manager has settled; beside it a bare Qt
// timer at 1 ms for comparison. The event loop runs a second per iteration.

#include "benchsupport/bench_application.h"
#include "benchsupport/cpu_share.h"
#include "controls/common/control_host.h"
#include "controls/manager/qvsmanager.h"
#include "controls/manager/tests/panel_stub.h"
#include "sim/simulated_pc.h"

#include <QBasicTimer>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// For comparison: a bare Qt timer at 1 ms, doing nothing.
class BareTimer : public QObject {
public:
    std::uint64_t ticks = 0;
    QBasicTimer timer;

protected:
    void timerEvent(QTimerEvent*) override { ++ticks; }
};

void BareQtTimerAt1ms(benchmark::State& state) {
    vsq::bench::benchApplication();
    BareTimer bare;
    bare.timer.start(1, Qt::PreciseTimer, &bare);
    vsq::bench::measureCpuShare(state, [&] { return bare.ticks; });
}

void IdlePollOnePanel(benchmark::State& state) {
    vsq::bench::benchApplication();
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
    vsq::bench::runEventLoop(
        std::chrono::milliseconds(orvessa::QVSManager::kIdleTicks * 3 / 2)); // settle

    vsq::bench::measureCpuShare(state, [&] { return panel.flagReads; });
}

} // namespace

BENCHMARK(IdlePollOnePanel)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BareQtTimerAt1ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
