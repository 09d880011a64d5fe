#pragma once
// The configuration space of one PCI function: 64 dwords. Dword 0 (the identifier
// word) is read-only; base-address registers keep their I/O-space bit 0 set.

#include <array>
#include <cstdint>
#include <vector>

namespace vsq::sim {

struct PciFunction {
    int bus = 0;
    int device = 0;
    int function = 0;
    std::array<std::uint32_t, 64> dwords{};
    std::vector<std::uint8_t> ioBaseRegisters; // register numbers whose bit 0 reads 1

    std::uint32_t read(std::uint8_t reg) const { return dwords[reg >> 2]; }
    void write(std::uint8_t reg, std::uint32_t value);
};

} // namespace vsq::sim
