#include "sim/south_bridge_profile.h"

namespace vsq::sim {
namespace {

struct Site {
    int device;
    int function;
};

constexpr Site kPiix4Site{7, 3};
constexpr Site kIchSite{31, 3};
constexpr Site kAliBridgeSite{7, 3};
constexpr Site kAliPowerSite{17, 0};

constexpr std::uint8_t kPiix4BaseRegister = 0x90;
constexpr std::uint8_t kPiix4EnableRegister = 0xD0; // byte 0xD2 bit 0 = dword bit 16
constexpr std::uint8_t kIchBaseRegister = 0x20;
constexpr std::uint8_t kIchEnableRegister = 0x40;
constexpr std::uint32_t kIntelHostEnable = 0x10000;
constexpr std::uint8_t kAliBaseRegister = 0xE0;
constexpr std::uint8_t kAliDecodeRegister = 0xD0;
constexpr std::uint32_t kAliDecodeEnable = 0x400;
constexpr std::uint8_t kAliHostRegister = 0xF0;
constexpr std::uint32_t kAliHostEnable = 0x1;
constexpr std::uint32_t kIoSpaceEnabled = 0x02800001; // status and command: I/O on
constexpr std::uint32_t kSmbusClass = 0x0C050000;     // serial bus, SMBus

std::uint16_t defaultBase(SouthBridge kind) {
    switch (kind) {
    case SouthBridge::Piix4:
        return SouthBridgeProfile::kPiix4Base;
    case SouthBridge::Ich:
        return SouthBridgeProfile::kIchBase;
    case SouthBridge::Ali:
        return SouthBridgeProfile::kAliBase;
    default:
        return 0;
    }
}

} // namespace

SouthBridgeProfile::SouthBridgeProfile(SouthBridge kind, std::uint16_t base,
                                       std::uint32_t identifier)
    : kind_(kind), base_(base != 0 ? base : defaultBase(kind)), identifier_(identifier) {}

void SouthBridgeProfile::install(PciConfiguration& pci) const {
    switch (kind_) {
    case SouthBridge::Piix4: {
        auto& f = pci.addFunction(0, kPiix4Site.device, kPiix4Site.function,
                                  identifier_ ? identifier_ : kPiix4Identifier);
        f.dwords[1] = kIoSpaceEnabled;
        f.dwords[2] = kSmbusClass;
        f.ioBaseRegisters = {kPiix4BaseRegister};
        f.write(kPiix4BaseRegister, base_);
        break;
    }
    case SouthBridge::Ich: {
        auto& f = pci.addFunction(0, kIchSite.device, kIchSite.function,
                                  identifier_ ? identifier_ : kIchIdentifier);
        f.dwords[1] = kIoSpaceEnabled;
        f.dwords[2] = kSmbusClass;
        f.ioBaseRegisters = {kIchBaseRegister};
        f.write(kIchBaseRegister, base_);
        break;
    }
    case SouthBridge::Ali: {
        pci.addFunction(0, kAliBridgeSite.device, kAliBridgeSite.function, kAliBridgeIdentifier);
        auto& f =
            pci.addFunction(0, kAliPowerSite.device, kAliPowerSite.function, kAliPowerIdentifier);
        f.dwords[1] = kIoSpaceEnabled;
        f.write(kAliBaseRegister, static_cast<std::uint32_t>(base_) << 16);
        break;
    }
    case SouthBridge::None:
        break;
    }
}

std::optional<std::uint16_t> SouthBridgeProfile::activeBase(const PciConfiguration& pci) const {
    switch (kind_) {
    case SouthBridge::Piix4:
    case SouthBridge::Ich: {
        const Site site = kind_ == SouthBridge::Piix4 ? kPiix4Site : kIchSite;
        const std::uint8_t baseRegister =
            kind_ == SouthBridge::Piix4 ? kPiix4BaseRegister : kIchBaseRegister;
        const std::uint8_t enableRegister =
            kind_ == SouthBridge::Piix4 ? kPiix4EnableRegister : kIchEnableRegister;
        if ((pci.readConfig(0, site.device, site.function, enableRegister) & kIntelHostEnable) == 0)
            return std::nullopt;
        return static_cast<std::uint16_t>(
            pci.readConfig(0, site.device, site.function, baseRegister) & 0xFFF0);
    }
    case SouthBridge::Ali: {
        const auto decode =
            pci.readConfig(0, kAliPowerSite.device, kAliPowerSite.function, kAliDecodeRegister);
        const auto host =
            pci.readConfig(0, kAliPowerSite.device, kAliPowerSite.function, kAliHostRegister);
        if ((decode & kAliDecodeEnable) == 0 || (host & kAliHostEnable) == 0)
            return std::nullopt;
        return static_cast<std::uint16_t>(
            pci.readConfig(0, kAliPowerSite.device, kAliPowerSite.function, kAliBaseRegister) >>
                16 &
            0xFFF0);
    }
    case SouthBridge::None:
        break;
    }
    return std::nullopt;
}

} // namespace vsq::sim
