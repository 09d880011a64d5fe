#include "smbushost/pci_config.h"

#include "platform/port_io.h"

namespace halvicor {
namespace {

void selectRegister(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                    std::uint32_t reg) {
    using namespace vsq::platform;
    out32(kConfigAddressPort, configAddress(in32(kConfigAddressPort), bus, device, function, reg));
}

} // namespace

std::uint32_t readConfig(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                         std::uint32_t reg) {
    selectRegister(bus, device, function, reg);
    return vsq::platform::in32(kConfigDataPort);
}

void writeConfig(std::uint32_t bus, std::uint32_t device, std::uint32_t function, std::uint32_t reg,
                 std::uint32_t value) {
    selectRegister(bus, device, function, reg);
    vsq::platform::out32(kConfigDataPort, value);
}

} // namespace halvicor
