// Cost of the simulator per data-register write: the port decode, the adapter, the
// wired lines, the slave engine and the device, and the journal. Target: under 50 ns.

#include "sim/simulated_pc.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using vsq::sim::SimulatedPc;

// The 114 data-register values of a byte-data write of 0x5A to register 0x10 at 0xA8
// through the inverting adapter: start, three bytes with their acknowledge clocks, stop.
std::vector<std::uint8_t> byteDataWrite() {
    const std::uint8_t a = 0, b = 2, c = 3, d = 1;
    std::vector<std::uint8_t> values{a, b, c};
    for (std::uint8_t byte : {0xA8, 0x10, 0x5A}) {
        for (int bit = 7; bit >= 0; --bit) {
            if ((byte >> bit) & 1)
                values.insert(values.end(), {d, a, d, c});
            else
                values.insert(values.end(), {c, b, c, c});
        }
        values.insert(values.end(), {d, a, d, c});
    }
    values.insert(values.end(), {c, b, a});
    return values;
}

void DataRegisterWrite(benchmark::State& state) {
    auto& pc = SimulatedPc::instance();
    pc.reset();
    const auto values = byteDataWrite();
    for (auto _ : state) {
        for (std::uint8_t value : values)
            pc.out8(0x378, value);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
    state.counters["ns_per_write"] = benchmark::Counter(
        static_cast<double>(state.iterations() * static_cast<std::int64_t>(values.size())),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(DataRegisterWrite);

void StatusRead(benchmark::State& state) {
    auto& pc = SimulatedPc::instance();
    pc.reset();
    for (auto _ : state)
        benchmark::DoNotOptimize(pc.in8(0x379));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(StatusRead);

} // namespace
