#pragma once
// The program's seven supply-fault input descriptors, one for each input of the
// chip, and the start-up step that gives them their register addresses.

#include "app/device/pfi.h"

namespace trelvane {

extern PFI gPFI1;  // "PFI1": block PS1, base 0xB8
extern PFI gPFI2;  // "PFI2": block PS2, base 0xC0
extern PFI gPFI3;  // "PFI3": block PS3, base 0xC8
extern PFI gPFI4;  // "PFI4": block PS4, base 0xD0
extern PFI gHV;    // "HV": block HS, base 0xB0
extern PFI gBPFI1; // "BPFI1": block BS1, base 0xA0
extern PFI gBPFI2; // "BPFI2": block BS2, base 0xA8

// Gives each descriptor its five register addresses (base + 0 to base + 4);
// touches no chip register.
void CreateObjectDescriptors();

} // namespace trelvane
