#include "app/device/object_descriptors.h"

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
    giveAddresses(gPFI1, 0xB8);
    giveAddresses(gPFI2, 0xC0);
    giveAddresses(gPFI3, 0xC8);
    giveAddresses(gPFI4, 0xD0);
    giveAddresses(gHV, 0xB0);
    giveAddresses(gBPFI1, 0xA0);
    giveAddresses(gBPFI2, 0xA8);
}

} // namespace trelvane
