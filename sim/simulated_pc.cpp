#include "sim/simulated_pc.h"

namespace vsq::sim {
namespace {
constexpr std::uint16_t kBase = 0x378;
}

SimulatedPc& SimulatedPc::instance() {
    static SimulatedPc pc;
    return pc;
}

SimulatedPc::SimulatedPc() = default;

std::uint8_t SimulatedPc::in8(std::uint16_t port) {
    if (port == kBase)
        return data_;
    if (port == kBase + 1)
        return 0x00;
    if (port == kBase + 2)
        return control_;
    return 0xFF;
}

void SimulatedPc::out8(std::uint16_t port, std::uint8_t value) {
    if (port == kBase)
        data_ = value;
    else if (port == kBase + 2)
        control_ = value;
}

std::uint32_t SimulatedPc::in32(std::uint16_t) { return 0xFFFFFFFF; }
void SimulatedPc::out32(std::uint16_t, std::uint32_t) {}

int SimulatedPc::parallelPortCount() const { return 1; }

std::optional<std::uint32_t> SimulatedPc::parallelPortBase(int portNumber) const {
    if (portNumber == 1)
        return kBase;
    return std::nullopt;
}

bool SimulatedPc::claimParallelPort(int portNumber) { return portNumber == 1; }
void SimulatedPc::releaseParallelPort(int) {}

} // namespace vsq::sim
