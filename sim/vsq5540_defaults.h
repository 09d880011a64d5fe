#pragma once
// The VSQ5540's register image after the program's default set-up: what the simulated
// chip holds at power-up, in its registers and in its configuration EEPROM.

#include <array>
#include <cstdint>

namespace vsq::sim {

inline constexpr std::uint8_t kManufacturerId = 0x00;
inline constexpr std::uint8_t kRevisionId = 0x01;

std::array<std::uint8_t, 256> vsq5540DefaultRegisters();

} // namespace vsq::sim
