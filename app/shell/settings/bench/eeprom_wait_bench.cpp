// The CPU the EEPROM waits take on the simulated board, in real time with the
// program's own event-loop hooks: the register copy's pause between bytes
// (0.2 s) and an erase of both halves (sixteen pages, 30 ms before each).
// Target: under 5% of a core over the run. The copy is stopped after its
// first 25 bytes (about 5 s of its 51 s): each byte waits alike, so the share
// is that of the whole copy; "seconds_per_byte" shows the pause is kept.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/settings/eeprom_operations.h"
#include "benchsupport/bench_application.h"
#include "benchsupport/cpu_share.h"
#include "comms/PrinterPort.h"
#include "controls/common/qt_yield.h"
#include "platform/services.h"
#include "sim/simulated_pc.h"

#include <benchmark/benchmark.h>

namespace {

using namespace trelvane;

constexpr int kBytesCopied = 25;

class StopAfter : public EEPROMCopyListener {
public:
    void showStatus(std::string_view) override {}
    void showUPDCFG() override {}
    void showProgress(int value) override { shown = value + 1; }
    bool stopRequested() override { return shown >= kBytesCopied; }
    int shown = 0;
};

void startUp() {
    vsq::bench::benchApplication();
    vsq::controls::installQtYieldHook();
    vsq::sim::SimulatedPc::instance().reset();
    vsq::platform::setRandomSource([] { return 0.5; });
    gChipAddress = 0xA8;
    gComPort().PrinterPort()->setDataInverted(true);
    gComPort().PrinterPort()->setPortAddress(888);
}

void CopyToEEPROM(benchmark::State& state) {
    startUp();
    int bytes = 0;
    vsq::bench::measureCpuShareOf(state, [&bytes] {
        StopAfter listener;
        CopyRegistersToConfigEEPROM(false, listener);
        bytes += listener.shown;
    });
    state.counters["seconds_per_byte"] =
        state.counters["seconds"] * static_cast<double>(state.iterations()) / bytes;
}

void EraseAll(benchmark::State& state) {
    startUp();
    vsq::bench::measureCpuShareOf(state, [] { EraseAllEEPROMPages(nullptr); });
}

BENCHMARK(CopyToEEPROM)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(EraseAll)->Iterations(4)->Unit(benchmark::kMillisecond);

} // namespace
