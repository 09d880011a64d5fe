#pragma once
// Raw x86 I/O ports through iopl(3). Needs root (CAP_SYS_RAWIO); without it
// accessAllowed() is false and every access raises PortIoError instead of faulting.

#include "platform/port_io.h"

namespace vsq::platform {

class NativePortIo : public PortIoBackend {
public:
    std::string name() const override { return "native"; }
    bool accessAllowed() override;
    std::uint8_t in8(std::uint16_t port) override;
    void out8(std::uint16_t port, std::uint8_t value) override;
    std::uint32_t in32(std::uint16_t port) override;
    void out32(std::uint16_t port, std::uint32_t value) override;

private:
    void require();
    enum class State { Unknown, Allowed, Refused } state_ = State::Unknown;
    std::string refusal_;
};

} // namespace vsq::platform
