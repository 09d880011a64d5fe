#pragma once
// The south bridge on PCI bus 0: which functions it shows, where its SMBus host
// controller's I/O base sits in their configuration registers, and when the controller
// is enabled. Power-up values stand as a BIOS would leave them, with the host controller
// not yet enabled (the program's set-up enables it).
//
//   Piix4: 0x71138086 at 0/7/3. Base register 0x90 (power-up base | 1); the controller
//          runs while bit 0 of register 0xD2 (bit 16 of dword 0xD0) is set.
//   Ich:   an ICH-family word (default 0x24438086) at 0/31/3. Base register 0x20; the
//          controller runs while bit 16 of dword 0x40 is set (the bit the set-up writes).
//   Ali:   see ali_host_controller.h.
//   None:  no function; every configuration read gives 0xFFFFFFFF.
// Intel bases decode 16-byte aligned (bits 15-4 of the base register).

#include "sim/pci_configuration.h"
#include "sim/sim_config.h"

#include <cstdint>
#include <optional>

namespace vsq::sim {

class SouthBridgeProfile {
public:
    static constexpr std::uint32_t kPiix4Identifier = 0x71138086;
    static constexpr std::uint32_t kIchIdentifier = 0x24438086;
    static constexpr std::uint32_t kAliBridgeIdentifier = 0x153310B9;
    static constexpr std::uint32_t kAliPowerIdentifier = 0x710110B9;
    static constexpr std::uint16_t kPiix4Base = 0x5000;
    static constexpr std::uint16_t kIchBase = 0x0400;
    static constexpr std::uint16_t kAliBase = 0xE800;

    SouthBridgeProfile(SouthBridge kind, std::uint16_t base, std::uint32_t identifier);

    SouthBridge kind() const { return kind_; }
    void install(PciConfiguration& pci) const;
    // The host controller's I/O base while the configuration enables it.
    std::optional<std::uint16_t> activeBase(const PciConfiguration& pci) const;

private:
    SouthBridge kind_;
    std::uint16_t base_;
    std::uint32_t identifier_;
};

} // namespace vsq::sim
