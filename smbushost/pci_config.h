#pragma once
// PCI configuration access through mechanism #1: an address word at port 0xCF8
// selects bus, device, function and register, and the word moves at port 0xCFC.

#include <cstdint>

namespace halvicor {

inline constexpr std::uint16_t kConfigAddressPort = 0xCF8;
inline constexpr std::uint16_t kConfigDataPort = 0xCFC;

// The address word: the enable bit, the reserved bits 30-24 kept from what the
// address port held, and the fields OR-ed in unmasked, the register number as
// given (0xD2 stays 0xD2). Bits 1-0 are not carried over: a host bridge that
// keeps them would otherwise send every later access to an aligned register
// (0x90, or the identifier at 0) two bytes off, after one access to 0xD2.
constexpr std::uint32_t configAddress(std::uint32_t previous, std::uint32_t bus,
                                      std::uint32_t device, std::uint32_t function,
                                      std::uint32_t reg) {
    return 0x80000000u | (previous & 0x7F000000u) | (bus << 16) | (device << 11) | (function << 8) |
           reg;
}

std::uint32_t readConfig(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                         std::uint32_t reg);
void writeConfig(std::uint32_t bus, std::uint32_t device, std::uint32_t function, std::uint32_t reg,
                 std::uint32_t value);

} // namespace halvicor
