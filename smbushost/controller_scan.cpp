#include "smbushost/controller_scan.h"

#include "smbushost/host_controller_registers.h"
#include "smbushost/pci_config.h"
#include "smbushost/status_wait.h"

namespace halvicor {
namespace {

constexpr std::uint32_t kFunction = 3;
constexpr std::uint32_t kDevicesPerBus = 32;
constexpr std::int32_t kNoBase = 0xFFFF;

} // namespace

std::int32_t controllerType(std::uint32_t id) {
    if (isIntelId(id))
        return kIntelType;
    if (id == kAliSouthBridgeId)
        return kAliType;
    return 0;
}

std::optional<SouthBridge> findSouthBridge() {
    for (std::uint32_t device = 0; device < kDevicesPerBus; ++device) {
        std::uint32_t id = readConfig(0, device, kFunction, 0);
        if (controllerType(id) != 0)
            return SouthBridge{device, id};
    }
    return std::nullopt;
}

std::int32_t smbusBase() {
    auto found = findSouthBridge();
    if (!found)
        return kNoBase;
    if (found->id == kAliSouthBridgeId)
        return 0;
    const bool piix4 = found->id == kPiix4Id;
    const std::uint32_t baseRegister = piix4 ? kPiix4BaseRegister : kIchBaseRegister;
    const std::uint32_t hostConfig = piix4 ? kPiix4HostConfigRegister : kIchHostConfigRegister;
    auto base = intelIoBase(readConfig(0, found->device, kFunction, baseRegister));
    if (!base)
        return kNoBase;
    writeConfig(0, found->device, kFunction, hostConfig,
                readConfig(0, found->device, kFunction, hostConfig) | kHostEnable);
    return static_cast<std::int32_t>(*base);
}

} // namespace halvicor
