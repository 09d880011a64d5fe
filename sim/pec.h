#pragma once
// SMBus packet error code: CRC-8, polynomial x^8 + x^2 + x + 1, initial value 0, most
// significant bit first, no reflection, no final XOR.

#include <cstddef>
#include <cstdint>

namespace vsq::sim {

std::uint8_t pecUpdate(std::uint8_t crc, std::uint8_t byte);
std::uint8_t pec(const std::uint8_t* bytes, std::size_t count);

} // namespace vsq::sim
