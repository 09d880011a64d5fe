#include "sim/south_bridge_profile.h"

namespace vsq::sim {
namespace {

// Where an Intel-family SMBus function sits and how its controller is found.
struct IntelLayout {
    int device;
    int function;
    std::uint32_t identifier;
    std::uint16_t base;
    std::uint8_t baseRegister;
    std::uint8_t enableRegister; // dword holding the host enable in bit 16
};

constexpr IntelLayout kPiix4{
    7, 3, SouthBridgeProfile::kPiix4Identifier, SouthBridgeProfile::kPiix4Base, 0x90, 0xD0};
constexpr IntelLayout kIch{
    31, 3, SouthBridgeProfile::kIchIdentifier, SouthBridgeProfile::kIchBase, 0x20, 0x40};
constexpr std::uint32_t kIntelHostEnable = 0x10000;

constexpr int kAliBridgeDevice = 7;
constexpr int kAliBridgeFunction = 3;
constexpr int kAliPowerDevice = 17;
constexpr int kAliPowerFunction = 0;
constexpr std::uint8_t kAliBaseRegister = 0xE0;
constexpr std::uint8_t kAliDecodeRegister = 0xD0;
constexpr std::uint32_t kAliDecodeEnable = 0x400;
constexpr std::uint8_t kAliHostRegister = 0xF0;
constexpr std::uint32_t kAliHostEnable = 0x1;

constexpr std::uint32_t kIoSpaceEnabled = 0x02800001; // status and command: I/O on
constexpr std::uint32_t kSmbusClass = 0x0C050000;     // serial bus, SMBus

const IntelLayout* intelLayout(SouthBridge kind) {
    return kind == SouthBridge::Piix4 ? &kPiix4 : kind == SouthBridge::Ich ? &kIch : nullptr;
}

} // namespace

SouthBridgeProfile::SouthBridgeProfile(SouthBridge kind, std::uint16_t base,
                                       std::uint32_t identifier)
    : kind_(kind), base_(base), identifier_(identifier) {
    if (base_ == 0)
        base_ = kind == SouthBridge::Ali ? kAliBase
                : intelLayout(kind)      ? intelLayout(kind)->base
                                         : 0;
}

void SouthBridgeProfile::install(PciConfiguration& pci) const {
    if (const IntelLayout* layout = intelLayout(kind_)) {
        auto& f = pci.addFunction(0, layout->device, layout->function,
                                  identifier_ ? identifier_ : layout->identifier);
        f.dwords[1] = kIoSpaceEnabled;
        f.dwords[2] = kSmbusClass;
        f.ioBaseRegisters = {layout->baseRegister};
        f.write(layout->baseRegister, base_);
    } else if (kind_ == SouthBridge::Ali) {
        pci.addFunction(0, kAliBridgeDevice, kAliBridgeFunction, kAliBridgeIdentifier);
        auto& f = pci.addFunction(0, kAliPowerDevice, kAliPowerFunction, kAliPowerIdentifier);
        f.dwords[1] = kIoSpaceEnabled;
        f.write(kAliBaseRegister, static_cast<std::uint32_t>(base_) << 16);
    }
}

std::optional<std::uint16_t> SouthBridgeProfile::activeBase(const PciConfiguration& pci) const {
    if (const IntelLayout* layout = intelLayout(kind_)) {
        auto config = [&](std::uint8_t reg) {
            return pci.readConfig(0, layout->device, layout->function, reg);
        };
        if ((config(layout->enableRegister) & kIntelHostEnable) == 0)
            return std::nullopt;
        return static_cast<std::uint16_t>(config(layout->baseRegister) & 0xFFF0);
    }
    if (kind_ == SouthBridge::Ali) {
        auto config = [&](std::uint8_t reg) {
            return pci.readConfig(0, kAliPowerDevice, kAliPowerFunction, reg);
        };
        if ((config(kAliDecodeRegister) & kAliDecodeEnable) == 0 ||
            (config(kAliHostRegister) & kAliHostEnable) == 0)
            return std::nullopt;
        return static_cast<std::uint16_t>(config(kAliBaseRegister) >> 16 & 0xFFF0);
    }
    return std::nullopt;
}

} // namespace vsq::sim
