#pragma once
// The simulated PC: one I/O space per process holding the parallel ports with
// their evaluation boards, the PCI configuration ports and the chipset's SMBus
// host controller. The platform's "sim" port I/O and parallel-port driver
// backends reach it here.

#include <cstdint>
#include <optional>

namespace vsq::sim {

class SimulatedPc {
public:
    // The process's one simulated PC, configured from VSQ_SIM at first use.
    static SimulatedPc& instance();

    std::uint8_t in8(std::uint16_t port);
    void out8(std::uint16_t port, std::uint8_t value);
    std::uint32_t in32(std::uint16_t port);
    void out32(std::uint16_t port, std::uint32_t value);

    // The parallel ports as the port driver presents them, numbered from 1.
    int parallelPortCount() const;
    std::optional<std::uint32_t> parallelPortBase(int portNumber) const;
    bool claimParallelPort(int portNumber);
    void releaseParallelPort(int portNumber);

private:
    SimulatedPc();
    std::uint8_t data_ = 0;
    std::uint8_t control_ = 0;
};

} // namespace vsq::sim
