#pragma once
// PCI configuration mechanism #1: a 32-bit address register at 0xCF8 (latched, reads
// back what was written) and the data window at 0xCFC. While the address has bit 31
// set, 0xCFC moves the 32-bit word of the dword it selects (bus bits 23-16, device 15-11,
// function 10-8, register 7-2; bits 1-0 do not split the dword); byte accesses at
// 0xCFC-0xCFF move one lane of it. Absent functions, and the window with bit 31 clear,
// read 0xFFFFFFFF and ignore writes.

#include "sim/pci_function.h"

#include <cstdint>
#include <deque>

namespace vsq::sim {

class PciConfiguration {
public:
    static constexpr std::uint16_t kAddressPort = 0xCF8;
    static constexpr std::uint16_t kDataPort = 0xCFC;

    void clear();
    PciFunction& addFunction(int bus, int device, int function, std::uint32_t identifier);
    PciFunction* find(int bus, int device, int function);
    const PciFunction* find(int bus, int device, int function) const;

    std::uint32_t address() const { return address_; }
    void writeAddress(std::uint32_t value) { address_ = value; }
    std::uint32_t readData() const;
    void writeData(std::uint32_t value);
    std::uint8_t readDataByte(int lane) const;
    void writeDataByte(int lane, std::uint8_t value);

    // Direct access for tests.
    std::uint32_t readConfig(int bus, int device, int function, std::uint8_t reg) const;
    void writeConfig(int bus, int device, int function, std::uint8_t reg, std::uint32_t value);

private:
    PciFunction* selected();
    const PciFunction* selected() const;

    std::uint32_t address_ = 0;
    std::deque<PciFunction> functions_; // stable addresses
};

} // namespace vsq::sim
