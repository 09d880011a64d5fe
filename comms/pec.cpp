#include "comms/pec.h"

#include <cassert>

namespace brisendal {
namespace {

constexpr std::uint8_t kPolynomial = 0x07;

constexpr std::array<std::uint8_t, 256> makeTable() {
    std::array<std::uint8_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80) ? ((crc << 1) ^ kPolynomial) & 0xFF : (crc << 1) & 0xFF;
        table[byte] = static_cast<std::uint8_t>(crc);
    }
    return table;
}

constexpr auto kTable = makeTable();

} // namespace

std::uint8_t PecStep(std::uint8_t crc, std::uint8_t byte) {
    return kTable[crc ^ byte];
}

std::uint8_t CalculatePEC(std::span<const std::uint8_t> bytes,
                          std::array<std::int16_t, 38>& trace) {
    assert(bytes.size() <= trace.size());
    std::uint8_t crc = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        crc = PecStep(crc, bytes[k]);
        trace[k] = crc;
    }
    return crc;
}

} // namespace brisendal
