#include "sim/pci_function.h"

#include <algorithm>

namespace vsq::sim {

void PciFunction::write(std::uint8_t reg, std::uint32_t value) {
    const int index = reg >> 2;
    if (index == 0)
        return; // the identifier word
    const bool ioBase = std::any_of(ioBaseRegisters.begin(), ioBaseRegisters.end(),
                                    [&](std::uint8_t r) { return (r >> 2) == index; });
    dwords[index] = ioBase ? value | 1u : value;
}

} // namespace vsq::sim
