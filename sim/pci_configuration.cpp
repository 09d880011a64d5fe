#include "sim/pci_configuration.h"

namespace vsq::sim {
namespace {

constexpr std::uint32_t kEnable = 0x80000000u;
constexpr std::uint32_t kAbsent = 0xFFFFFFFFu;

} // namespace

void PciConfiguration::clear() {
    address_ = 0;
    functions_.clear();
}

PciFunction& PciConfiguration::addFunction(int bus, int device, int function,
                                           std::uint32_t identifier) {
    PciFunction added;
    added.bus = bus;
    added.device = device;
    added.function = function;
    added.dwords[0] = identifier;
    functions_.push_back(added);
    return functions_.back();
}

PciFunction* PciConfiguration::find(int bus, int device, int function) {
    for (auto& f : functions_)
        if (f.bus == bus && f.device == device && f.function == function)
            return &f;
    return nullptr;
}

const PciFunction* PciConfiguration::find(int bus, int device, int function) const {
    return const_cast<PciConfiguration*>(this)->find(bus, device, function);
}

PciFunction* PciConfiguration::selected() {
    if ((address_ & kEnable) == 0)
        return nullptr;
    return find(static_cast<int>(address_ >> 16 & 0xFF), static_cast<int>(address_ >> 11 & 0x1F),
                static_cast<int>(address_ >> 8 & 0x07));
}

const PciFunction* PciConfiguration::selected() const {
    return const_cast<PciConfiguration*>(this)->selected();
}

std::uint32_t PciConfiguration::readData() const {
    const PciFunction* function = selected();
    return function ? function->read(static_cast<std::uint8_t>(address_ & 0xFC)) : kAbsent;
}

void PciConfiguration::writeData(std::uint32_t value) {
    if (PciFunction* function = selected())
        function->write(static_cast<std::uint8_t>(address_ & 0xFC), value);
}

std::uint8_t PciConfiguration::readDataByte(int lane) const {
    return static_cast<std::uint8_t>(readData() >> (8 * lane));
}

void PciConfiguration::writeDataByte(int lane, std::uint8_t value) {
    PciFunction* function = selected();
    if (function == nullptr)
        return;
    const auto reg = static_cast<std::uint8_t>(address_ & 0xFC);
    std::uint32_t word = function->read(reg);
    word &= ~(0xFFu << (8 * lane));
    word |= static_cast<std::uint32_t>(value) << (8 * lane);
    function->write(reg, word);
}

std::uint32_t PciConfiguration::readConfig(int bus, int device, int function,
                                           std::uint8_t reg) const {
    const PciFunction* f = find(bus, device, function);
    return f ? f->read(reg) : kAbsent;
}

void PciConfiguration::writeConfig(int bus, int device, int function, std::uint8_t reg,
                                   std::uint32_t value) {
    if (PciFunction* f = find(bus, device, function))
        f->write(reg, value);
}

} // namespace vsq::sim
