// The evaluation-board window on screen with its chart running (a tick every
// 100 ms: nine ADC samples, eighteen transfers on the simulated board, and a
// repaint): CPU time of the process per second of wall time, in percent of one
// core. Target: under 5. The event loop runs for a second per iteration.

#include "app/board/probes_frm.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/core/window_registry.h"
#include "benchsupport/bench_application.h"
#include "benchsupport/cpu_share.h"
#include "comms/PrinterPort.h"
#include "controls/common/qt_yield.h"
#include "controls/display/strip.h"
#include "sim/simulated_pc.h"

#include <QCheckBox>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void ChartRunning(benchmark::State& state) {
    vsq::bench::benchApplication();
    vsq::controls::installQtYieldHook();
    vsq::sim::SimulatedPc::instance().reset();
    vsq::sim::SimulatedPc::instance().setAdcInputVoltage(1, 0x50, 1, 3.3);
    trelvane::gChipAddress = 0xA8;
    trelvane::gComPort().PrinterPort()->setDataInverted(true);
    trelvane::gComPort().PrinterPort()->setPortAddress(888);

    trelvane::WindowRegistry windows;
    auto& form = windows.show<trelvane::ProbesFrm>();
    form.resize(800, 560);
    form.OnOffCHK->click();
    vsq::bench::runEventLoop(std::chrono::milliseconds(300)); // settle

    vsq::bench::measureCpuShare(state, [&] { return form.PDOStrip->trace(8).size(); });
}

} // namespace

BENCHMARK(ChartRunning)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
