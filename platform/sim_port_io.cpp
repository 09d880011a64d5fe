#include "platform/sim_port_io.h"

#include "sim/simulated_pc.h"

namespace vsq::platform {

std::uint8_t SimPortIo::in8(std::uint16_t port) { return sim::SimulatedPc::instance().in8(port); }
void SimPortIo::out8(std::uint16_t port, std::uint8_t value) {
    sim::SimulatedPc::instance().out8(port, value);
}
std::uint32_t SimPortIo::in32(std::uint16_t port) {
    return sim::SimulatedPc::instance().in32(port);
}
void SimPortIo::out32(std::uint16_t port, std::uint32_t value) {
    sim::SimulatedPc::instance().out32(port, value);
}

} // namespace vsq::platform
