#pragma once
// The search for a supported south bridge and the computation of its SMBus base.

#include <cstdint>
#include <optional>

namespace halvicor {

struct SouthBridge {
    std::uint32_t device = 0; // on bus 0, function 3
    std::uint32_t id = 0;     // its identifier word
};

// Reads configuration register 0 of function 3 of devices 0 to 31 on bus 0, in
// that order, and stops at the first supported identifier.
std::optional<SouthBridge> findSouthBridge();

// 1 for an Intel identifier, 2 for the ALi south bridge, 0 otherwise.
std::int32_t controllerType(std::uint32_t id);

// The found controller's SMBus I/O base, after setting its host enable; 0 for
// the ALi south bridge, whose base is not computed; 0xFFFF when nothing is
// found or the base register holds no usable I/O base (nothing is then written).
std::int32_t smbusBase();

} // namespace halvicor
