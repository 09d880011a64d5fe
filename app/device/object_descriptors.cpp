#include "app/device/object_descriptors.h"

#include "app/device/chip_registers.h"

#include <cstdint>

namespace trelvane {

PFI gPFI1;
PFI gPFI2;
PFI gPFI3;
PFI gPFI4;
PFI gHV;
PFI gBPFI1;
PFI gBPFI2;

namespace {

void giveAddresses(PFI& input, std::uint8_t base) {
    input.setAddrOverVoltThreshold(base);
    input.setAddrDigitalHysteresisOnOVT(base + 1);
    input.setAddrUnderVoltThreshold(base + 2);
    input.setAddrDigitalHysteresisOnUVT(base + 3);
    input.setAddrGlitchRangeFault(base + 4);
}

} // namespace

void CreateObjectDescriptors() {
    giveAddresses(gPFI1, reg::PS1OVTH);
    giveAddresses(gPFI2, reg::PS2OVTH);
    giveAddresses(gPFI3, reg::PS3OVTH);
    giveAddresses(gPFI4, reg::PS4OVTH);
    giveAddresses(gHV, reg::HSOVTH);
    giveAddresses(gBPFI1, reg::BS1OVTH);
    giveAddresses(gBPFI2, reg::BS2OVTH);
}

} // namespace trelvane
