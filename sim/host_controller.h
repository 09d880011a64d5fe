#pragma once
// A chipset SMBus host controller: eight byte registers at its I/O base.

#include <cstdint>

namespace vsq::sim {

class HostController {
public:
    virtual ~HostController() = default;
    virtual std::uint8_t read(int offset) = 0;
    virtual void write(int offset, std::uint8_t value) = 0;
};

} // namespace vsq::sim
