#pragma once
// The simulated PC's 16-bit I/O space: the parallel ports, PCI configuration mechanism
// #1 at 0xCF8/0xCFC and the chipset's SMBus host controller at its base (while the
// configuration enables it). Unclaimed addresses read 0xFF and ignore writes.
// 32-bit accesses other than the PCI ports move four byte registers, lowest address in
// the lowest byte, as a dword access to byte registers does.

#include "sim/chipset_smbus.h"
#include "sim/host_controller.h"
#include "sim/journal.h"
#include "sim/parallel_port.h"
#include "sim/pci_configuration.h"
#include "sim/sim_config.h"
#include "sim/south_bridge_profile.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vsq::sim {

class LineCapture;

class IoSpace {
public:
    IoSpace(const SimConfig& config, Journal& journal, LineCapture& capture);

    std::uint8_t in8(std::uint16_t port) {
        for (auto& parallel : ports_)
            if (parallel->decodes(port))
                return parallel->read(port);
        return inOther8(port);
    }
    void out8(std::uint16_t port, std::uint8_t value) {
        for (auto& parallel : ports_)
            if (parallel->decodes(port)) {
                parallel->write(port, value);
                return;
            }
        outOther8(port, value);
    }
    std::uint32_t in32(std::uint16_t port);
    void out32(std::uint16_t port, std::uint32_t value);

    int portCount() const { return static_cast<int>(ports_.size()); }
    ParallelPort* port(int number);
    PciConfiguration& pci() { return pci_; }
    ChipsetSmbus& chipsetSmbus() { return chipsetSmbus_; }
    const SouthBridgeProfile& southBridge() const { return profile_; }

private:
    std::uint8_t inOther8(std::uint16_t port);
    void outOther8(std::uint16_t port, std::uint8_t value);
    // The host controller and the offset of `port` in it, when it decodes the port.
    HostController* hostAt(std::uint16_t port, int& offset);

    std::vector<std::unique_ptr<ParallelPort>> ports_;
    PciConfiguration pci_;
    SouthBridgeProfile profile_;
    ChipsetSmbus chipsetSmbus_;
    std::unique_ptr<HostController> host_;
};

} // namespace vsq::sim
