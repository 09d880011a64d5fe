// The logic-block window's Read All followed by Write All on the simulated
// board: 216 register transfers and the toggles' updates, with the program's
// start-up bus settings. Target: under 50 ms for the pair.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/logicblocks/plbfrm.h"
#include "app/core/window_registry.h"
#include "benchsupport/bench_application.h"
#include "comms/PrinterPort.h"

#include <benchmark/benchmark.h>

namespace {

void ReadAllThenWriteAll(benchmark::State& state) {
    vsq::bench::benchApplication();
    trelvane::WindowRegistry windows;
    trelvane::gChipAddress = 0xA8;
    trelvane::gComPort().PrinterPort()->setDataInverted(true);
    trelvane::gComPort().PrinterPort()->setPortAddress(888);
    trelvane::PLBFRM& window = windows.load<trelvane::PLBFRM>();
    window.show();
    for (auto _ : state) {
        window.ReadAllCMD_Click();
        window.ApplyCMD_Click();
    }
    state.SetItemsProcessed(state.iterations() * 216); // register transfers
}
BENCHMARK(ReadAllThenWriteAll)->Unit(benchmark::kMillisecond);

} // namespace
