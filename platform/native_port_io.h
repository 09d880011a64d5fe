#pragma once
// Raw x86 I/O ports through iopl(3). Needs CAP_SYS_RAWIO over the machine
// (root, unless a container or service manager took it away; root of a user
// namespace holds it inside the namespace only) and a kernel that allows it
// (no lockdown); without it accessAllowed() is false, the reason is said once
// on standard error, and every access raises PortIoError instead of faulting.

#include "platform/port_io.h"

#include <functional>

namespace vsq::platform {

class NativePortIo : public PortIoBackend {
public:
    // The system calls asked for the permission; tests put fakes here.
    struct System {
        std::function<int(int level)> iopl; // 0, or -1 with errno set
        std::function<bool()> isRoot;
        // CAP_SYS_RAWIO is in the effective capability set.
        std::function<bool()> hasRawIoCapability;
        // The process runs in a user namespace other than the machine's own.
        std::function<bool()> inUserNamespace;
    };
    static System realSystem();

    explicit NativePortIo(System system = realSystem()) : system_(std::move(system)) {}

    std::string name() const override { return "native"; }
    bool accessAllowed() override;
    std::uint8_t in8(std::uint16_t port) override;
    void out8(std::uint16_t port, std::uint8_t value) override;
    std::uint32_t in32(std::uint16_t port) override;
    void out32(std::uint16_t port, std::uint32_t value) override;

private:
    void require();
    System system_;
    enum class State { Unknown, Allowed, Refused } state_ = State::Unknown;
    std::string refusal_;
};

} // namespace vsq::platform
