// Transfers through the whole parallel-port stack (protocol object, bit engine,
// port driver library, simulated board) at Delay 0.
// Target: at least 100,000 byte-data writes per second.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "sim/simulated_pc.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

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

void ByteDataWrite(benchmark::State& state) {
    auto protocol = printerPort().SMBusProtocall();
    std::uint8_t value = 0;
    measure(state, [&] { protocol->PortWrite(0xA8, 0x10, ++value); });
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
