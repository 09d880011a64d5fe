// Transfers through the whole parallel-port stack (protocol object, bit engine,
// port driver library, simulated board) at Delay 0.
// Target: at least 100,000 byte-data writes per second, and a byte-data write
// costing at most 1.5 times what the simulator alone takes for its data-register
// writes ("x_simulator_writes": the last write's values replayed straight into
// the simulated PC, timed in the same run).

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "sim/simulated_pc.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace {

using brisendal::PrinterPort;

// The application's set-up: inverted adapter, chip at 0xA8, no delays.
PrinterPort& printerPort() {
    static const auto port = [] {
        auto made = std::make_shared<PrinterPort>();
        made->setDataInverted(true);
        made->setDeviceAddress(0xA8);
        made->SMBusProtocall()->setDelay(0.0f);
        made->SMBusProtocall()->setFrameDelay(0.0f);
        return made;
    }();
    return *port;
}

void measure(benchmark::State& state, const std::function<void()>& transfer) {
    auto& journal = vsq::sim::SimulatedPc::instance().journal();
    journal.clear();
    for (auto _ : state)
        transfer();
    const auto writes = static_cast<double>(journal.dataWrites(1));
    state.counters["transfers/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["data writes/transfer"] = writes / static_cast<double>(state.iterations());
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds the simulated PC takes for one pass of `values` written to the data
// register at `base`, averaged over about a tenth of a second of passes.
double simulatorSecondsPerPass(std::uint16_t base, const std::vector<std::uint8_t>& values) {
    auto& pc = vsq::sim::SimulatedPc::instance();
    std::uint64_t passes = 0;
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    do {
        for (int i = 0; i < 1000; ++i, ++passes)
            for (std::uint8_t value : values)
                pc.out8(base, value);
        elapsed = secondsSince(start);
    } while (elapsed < 0.1);
    return elapsed / static_cast<double>(passes);
}

void ByteDataWrite(benchmark::State& state) {
    auto protocol = printerPort().SMBusProtocall();
    std::uint8_t value = 0;
    const auto start = std::chrono::steady_clock::now();
    measure(state, [&] { protocol->PortWrite(0xA8, 0x10, ++value); });
    const double perTransfer = secondsSince(start) / static_cast<double>(state.iterations());

    auto& pc = vsq::sim::SimulatedPc::instance();
    const auto& written = pc.journal().port(1).dataValues;
    const auto perWrite = static_cast<std::size_t>(state.counters["data writes/transfer"]);
    const auto base = pc.parallelPortBase(1);
    if (base && perWrite > 0 && written.size() >= perWrite) {
        const std::vector<std::uint8_t> last(written.end() - static_cast<std::ptrdiff_t>(perWrite),
                                             written.end());
        state.counters["x_simulator_writes"] =
            perTransfer / simulatorSecondsPerPass(static_cast<std::uint16_t>(*base), last);
    }
}
BENCHMARK(ByteDataWrite);

void ByteDataRead(benchmark::State& state) {
    auto protocol = printerPort().SMBusProtocall();
    measure(state, [&] { benchmark::DoNotOptimize(protocol->PortRead(0xA8, 0x94)); });
}
BENCHMARK(ByteDataRead);

void WordWrite(benchmark::State& state) {
    auto protocol = printerPort().SMBusProtocall();
    float value = 0.0f;
    measure(state, [&] { protocol->WriteWord(0x18, 0x21, value += 1.0f); });
}
BENCHMARK(WordWrite);

void EepromByteWrite(benchmark::State& state) {
    auto eeprom = printerPort().EEPROM();
    std::uint8_t value = 0;
    measure(state, [&] { eeprom->WriteByte(0xF9, 0x10, ++value); });
}
BENCHMARK(EepromByteWrite);

} // namespace
