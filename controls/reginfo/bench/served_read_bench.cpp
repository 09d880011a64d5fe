// The cost of one read through the panel and its manager on the simulated
// board: the host flags a read, the manager's tick (delivered directly, not
// waited for) reads the register and clears the flag, and the panel shows the
// value in its digits and caption and adds a chart sample. Target: under
// 200 us an iteration.

#include "benchsupport/bench_application.h"
#include "controls/reginfo/tests/managed_panel.h"
#include "sim/simulated_pc.h"

#include <benchmark/benchmark.h>

namespace {

void ServedRead(benchmark::State& state, int shape, bool logic) {
    vsq::bench::benchApplication();
    auto& pc = vsq::sim::SimulatedPc::instance();
    pc.reset();
    pc.chip().setRegisterValue(0x10, 0xA5);
    pc.board(1)->dacU5().setWord(0, 0x2155);
    ManagedPanel registers;
    registers.load();
    registers.tick(); // finds the panel
    auto& panel = registers.panel;
    panel.setCommunicationsType(static_cast<std::int16_t>(shape));
    panel.setDeviceAddress(shape == 1 ? 0x18 : 0xA8);
    panel.setAddressPointer(shape == 1 ? 0x21 : 0x10);
    panel.setGraphLogic(logic);
    panel.setAutoRead(true); // a served read adds a chart sample

    for (auto _ : state) {
        panel.setExecuteRead(true);
        panel.setFlag(true);
        registers.tick();
        if (panel.Flag()) {
            state.SkipWithError("the read was not served");
            break;
        }
    }
    panel.setAutoRead(false);
}

BENCHMARK_CAPTURE(ServedRead, ByteValue, 0, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ServedRead, WordLogic, 1, true)->Unit(benchmark::kMicrosecond);

} // namespace
