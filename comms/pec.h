#pragma once
// Packet error checking: CRC-8 with polynomial x^8 + x^2 + x + 1, initial value
// 0, most significant bit first, no reflection, no final xor (the SMBus PEC).

#include <array>
#include <cstdint>
#include <span>

namespace brisendal {

std::uint8_t PecStep(std::uint8_t crc, std::uint8_t byte);

// The PEC of `bytes`; the CRC after byte k goes to trace[k] (entries past the
// last byte keep their values). At most trace.size() bytes.
std::uint8_t CalculatePEC(std::span<const std::uint8_t> bytes, std::array<std::int16_t, 38>& trace);

} // namespace brisendal
