#include "sim/io_space.h"

#include "sim/ali_host_controller.h"
#include "sim/intel_host_controller.h"

namespace vsq::sim {
namespace {

constexpr int kHostRegisters = 8;

std::unique_ptr<EvaluationBoard> chipsetBoard(const SimConfig& config) {
    if (!config.smbusBoard)
        return nullptr;
    return std::make_unique<EvaluationBoard>(config.smbusChipAddress);
}

} // namespace

IoSpace::IoSpace(const SimConfig& config, Journal& journal, LineCapture& capture)
    : profile_(config.southBridge, config.smbusBase, config.smbusIdentifier),
      chipsetSmbus_(journal, chipsetBoard(config)) {
    int number = 1;
    for (const auto& portConfig : config.ports)
        ports_.push_back(std::make_unique<ParallelPort>(number++, portConfig, journal, capture));
    profile_.install(pci_);
    switch (config.southBridge) {
    case SouthBridge::Piix4:
    case SouthBridge::Ich:
        host_ = std::make_unique<IntelHostController>(chipsetSmbus_, config.hostBusyReads);
        break;
    case SouthBridge::Ali:
        host_ = std::make_unique<AliHostController>(chipsetSmbus_, config.hostBusyReads);
        break;
    case SouthBridge::None:
        break;
    }
}

ParallelPort* IoSpace::port(int number) {
    if (number < 1 || number > portCount())
        return nullptr;
    return ports_[static_cast<std::size_t>(number - 1)].get();
}

HostController* IoSpace::hostAt(std::uint16_t port, int& offset) {
    if (!host_)
        return nullptr;
    const auto base = profile_.activeBase(pci_);
    if (!base)
        return nullptr;
    offset = static_cast<std::uint16_t>(port - *base);
    return offset < kHostRegisters ? host_.get() : nullptr;
}

std::uint8_t IoSpace::inOther8(std::uint16_t port) {
    if (port >= PciConfiguration::kDataPort && port < PciConfiguration::kDataPort + 4)
        return pci_.readDataByte(port - PciConfiguration::kDataPort);
    int offset = 0;
    if (HostController* host = hostAt(port, offset))
        return host->read(offset);
    return 0xFF;
}

void IoSpace::outOther8(std::uint16_t port, std::uint8_t value) {
    if (port >= PciConfiguration::kDataPort && port < PciConfiguration::kDataPort + 4) {
        pci_.writeDataByte(port - PciConfiguration::kDataPort, value);
        return;
    }
    int offset = 0;
    if (HostController* host = hostAt(port, offset))
        host->write(offset, value);
}

std::uint32_t IoSpace::in32(std::uint16_t port) {
    if (port == PciConfiguration::kAddressPort)
        return pci_.address();
    if (port == PciConfiguration::kDataPort)
        return pci_.readData();
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word |= static_cast<std::uint32_t>(in8(static_cast<std::uint16_t>(port + i))) << (8 * i);
    return word;
}

void IoSpace::out32(std::uint16_t port, std::uint32_t value) {
    if (port == PciConfiguration::kAddressPort) {
        pci_.writeAddress(value);
        return;
    }
    if (port == PciConfiguration::kDataPort) {
        pci_.writeData(value);
        return;
    }
    for (int i = 0; i < 4; ++i)
        out8(static_cast<std::uint16_t>(port + i), static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace vsq::sim
