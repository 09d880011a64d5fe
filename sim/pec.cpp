#include "sim/pec.h"

namespace vsq::sim {

std::uint8_t pecUpdate(std::uint8_t crc, std::uint8_t byte) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
        crc = static_cast<std::uint8_t>((crc & 0x80) ? (crc << 1) ^ 0x07 : crc << 1);
    return crc;
}

std::uint8_t pec(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t crc = 0;
    for (std::size_t i = 0; i < count; ++i)
        crc = pecUpdate(crc, bytes[i]);
    return crc;
}

} // namespace vsq::sim
