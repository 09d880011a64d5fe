// A full save and a full recall (board, registers, both EEPROM halves) on the
// simulated board. Virtual time stands in for the waits the recall must make
// (the page erases' 30 ms each), so what is measured is the program's own
// work and the bus traffic; each must stay under 0.3 s.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/settings/settings_file.h"
#include "comms/PrinterPort.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

using namespace trelvane;

constexpr double kTargetSeconds = 0.3;

class QuietFeedback : public SaveRecallFeedback {
public:
    void setProgressMaximum(int) override {}
    void showStatus(std::string_view, int) override {}
    bool notify(const Notice&) override { return true; }
};

void startUp() {
    vsq::sim::SimulatedPc::instance().reset();
    vsq::platform::setRandomSource([] { return 0.5; });
    gChipAddress = 0xA8;
    gComPort().PrinterPort()->setDataInverted(true);
    gComPort().PrinterPort()->setPortAddress(888);
    gDataFileName = (std::filesystem::temp_directory_path() / "settings_bench.txt").string();
}

template <typename Operation> void measure(benchmark::State& state, Operation&& operation) {
    double slowest = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        operation();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
    }
    state.counters["slowest_s"] = slowest;
    if (slowest > kTargetSeconds)
        state.SkipWithError("slower than the 0.3 s target");
}

void FullSave(benchmark::State& state) {
    startUp();
    vsq::platform::VirtualTime time(0.001);
    QuietFeedback feedback;
    measure(state, [&] { SaveSettingsFile(true, true, true, feedback); });
}
BENCHMARK(FullSave)->Unit(benchmark::kMillisecond);

void FullRecall(benchmark::State& state) {
    startUp();
    vsq::platform::VirtualTime time(0.001);
    QuietFeedback feedback;
    SaveSettingsFile(true, true, true, feedback);
    measure(state, [&] { RecallSettingsFile(true, true, true, feedback); });
    std::remove(gDataFileName.c_str());
}
BENCHMARK(FullRecall)->Unit(benchmark::kMillisecond);

} // namespace
