// The CPU the register panel's waits take, in real time with the program's
// event-loop hooks, headless, in percent of one core:
// - auto-reading through its manager on the simulated board, chart on, at
//   100 ms (target: at most 2) and at the panel's default 1 ms (at most 15);
//   "ticks_per_second" counts the reads served, "chart_paints_per_second" the
//   chart's paints (at most the screen's frame rate, however fast the reads);
// - a digit click on a panel that no manager serves: the click's write waits
//   its 5 s and is withdrawn (target: under 10).

#include "benchsupport/bench_application.h"
#include "benchsupport/cpu_share.h"
#include "controls/common/qt_yield.h"
#include "controls/display/strip.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/tests/managed_panel.h"
#include "sim/simulated_pc.h"

#include <QEvent>
#include <QObject>
#include <QtTest/QTest>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Counts the paints of the widget it watches.
class PaintCount : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    std::uint64_t paints = 0;
};

void startUp() {
    vsq::bench::benchApplication();
    vsq::controls::installQtYieldHook();
    auto& pc = vsq::sim::SimulatedPc::instance();
    pc.reset();
    pc.chip().setRegisterValue(0x10, 0xA5);
}

void AutoRead(benchmark::State& state) {
    startUp();
    auto& journal = vsq::sim::SimulatedPc::instance().journal();
    ManagedPanel registers;
    registers.load();
    auto& panel = registers.panel;
    panel.setDeviceAddress(0xA8);
    panel.setAddressPointer(0x10);
    panel.setAutoReadTimerInterval(static_cast<std::int32_t>(state.range(0)));
    registers.window.show();
    panel.setAutoRead(true);
    PaintCount chartPaints;
    panel.findChild<vsq::display::Strip*>()->installEventFilter(&chartPaints);
    vsq::bench::runEventLoop(std::chrono::milliseconds(300)); // settle
    journal.clear();
    const std::uint64_t paintsBefore = chartPaints.paints;
    const auto start = std::chrono::steady_clock::now();
    // A read is two frames: the register address written, then the value read.
    vsq::bench::measureCpuShare(state,
                                [&] { return journal.count(1, vsq::sim::EventKind::Stop) / 2; });
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["chart_paints_per_second"] =
        static_cast<double>(chartPaints.paints - paintsBefore) / wall;
    panel.setAutoRead(false);
}

void DigitClickUnserved(benchmark::State& state) {
    startUp();
    ManagedPanel registers;
    registers.host.add(registers.panel, "QVSRegInfo1");
    registers.host.placeNew();
    auto& panel = registers.panel;
    panel.setMaster("None");
    registers.window.show();
    vsq::bench::measureCpuShareOf(state, [&] {
        QTest::mouseClick(panel.findChild<mirelda::BitDigit*>("bit3"), Qt::LeftButton);
        QCoreApplication::processEvents(); // the click's sequence, its wait included
    });
}

} // namespace

BENCHMARK(AutoRead)->Arg(100)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DigitClickUnserved)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
