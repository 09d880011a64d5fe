#pragma once
// Port I/O on the simulated PC: the default backend, allowed everywhere.

#include "platform/port_io.h"

namespace vsq::platform {

class SimPortIo : public PortIoBackend {
public:
    std::string name() const override { return "sim"; }
    bool accessAllowed() override { return true; }
    std::uint8_t in8(std::uint16_t port) override;
    void out8(std::uint16_t port, std::uint8_t value) override;
    std::uint32_t in32(std::uint16_t port) override;
    void out32(std::uint16_t port, std::uint32_t value) override;
};

} // namespace vsq::platform
