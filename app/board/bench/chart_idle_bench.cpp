// The evaluation-board window on screen with its chart running (a tick every
// 100 ms: nine ADC samples, eighteen transfers on the simulated board, and a
// repaint): CPU time of the process per second of wall time, in percent of one
// core. Target: under 5. The event loop runs for a second per iteration.

#include "app/board/probes_frm.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/core/qt_yield.h"
#include "app/shell/core/window_registry.h"
#include "comms/PrinterPort.h"
#include "controls/display/strip.h"
#include "sim/simulated_pc.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "board_chart_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
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

void ChartRunning(benchmark::State& state) {
    application();
    trelvane::installQtYieldHook();
    vsq::sim::SimulatedPc::instance().reset();
    vsq::sim::SimulatedPc::instance().setAdcInputVoltage(1, 0x50, 1, 3.3);
    trelvane::gChipAddress = 0xA8;
    trelvane::gComPort().PrinterPort()->setDataInverted(true);
    trelvane::gComPort().PrinterPort()->setPortAddress(888);

    trelvane::WindowRegistry windows;
    auto& form = windows.show<trelvane::ProbesFrm>();
    form.resize(800, 560);
    form.OnOffCHK->click();
    runEventLoop(std::chrono::milliseconds(300)); // settle

    double cpu = 0;
    double wall = 0;
    std::size_t samples = 0;
    for (auto _ : state) {
        const std::size_t before = form.PDOStrip->trace(8).size();
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        runEventLoop(std::chrono::seconds(1));
        cpu += processCpuSeconds() - cpuBefore;
        wall +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        samples += form.PDOStrip->trace(8).size() - before;
    }
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
    state.counters["ticks_per_second"] = static_cast<double>(samples) / wall;
}

} // namespace

BENCHMARK(ChartRunning)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
