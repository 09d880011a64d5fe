#include "platform/native_port_io.h"

#include "platform/setup_report.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <sys/io.h>
#define VSQ_HAVE_RAW_PORTS 1
#else
#define VSQ_HAVE_RAW_PORTS 0
#endif

namespace vsq::platform {

NativePortIo::System NativePortIo::realSystem() {
    System system;
#if VSQ_HAVE_RAW_PORTS
    system.iopl = [](int level) { return ::iopl(level); };
#else
    system.iopl = [](int) {
        errno = ENOSYS;
        return -1;
    };
#endif
    system.isRoot = [] { return ::geteuid() == 0; };
    system.hasRawIoCapability = [] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct sets[_LINUX_CAPABILITY_U32S_3] = {};
        // Unknown counts as held, so the kernel is blamed as before.
        if (::syscall(SYS_capget, &header, sets) != 0)
            return true;
        return (sets[CAP_SYS_RAWIO / 32].effective & (1u << (CAP_SYS_RAWIO % 32))) != 0;
    };
    system.inUserNamespace = [] {
        // The machine's own namespace maps every user id to itself; a
        // container's maps a part. No map at all: no user namespaces.
        std::ifstream map("/proc/self/uid_map");
        if (!map)
            return false;
        const std::vector<std::string> words{std::istream_iterator<std::string>(map), {}};
        return words != std::vector<std::string>{"0", "0", "4294967295"};
    };
    return system;
}

bool NativePortIo::accessAllowed() {
    if (state_ == State::Unknown) {
        if (system_.iopl(3) == 0) {
            state_ = State::Allowed;
        } else {
            const int why = errno;
            state_ = State::Refused;
            refusal_ =
                std::string("raw I/O port access refused (iopl: ") + std::strerror(why) + "): ";
            // iopl asks for CAP_SYS_RAWIO over the machine, not for root as
            // such: only with it held, and outside a user namespace, can a
            // refusal be the kernel's own.
            if (why == ENOSYS)
                refusal_ += "this kernel or machine has no raw port access";
            else if (system_.hasRawIoCapability() && system_.inUserNamespace())
                refusal_ += "root of a container (a user namespace) holds CAP_SYS_RAWIO inside "
                            "it only, not over the machine's ports";
            else if (system_.hasRawIoCapability())
                refusal_ += "the kernel forbids it even to root (lockdown or secure boot)";
            else if (system_.isRoot())
                refusal_ += "root without the CAP_SYS_RAWIO capability (taken away by a "
                            "container or a service manager)";
            else
                refusal_ += "the chipset SMBus needs the program run as root";
            refusal_ += "; the chipset SMBus is not searched";
            reportSetupProblem(refusal_);
        }
    }
    return state_ == State::Allowed;
}

void NativePortIo::require() {
    if (!accessAllowed())
        throw PortIoError(refusal_);
}

#if VSQ_HAVE_RAW_PORTS
std::uint8_t NativePortIo::in8(std::uint16_t port) {
    require();
    return inb(port);
}
void NativePortIo::out8(std::uint16_t port, std::uint8_t value) {
    require();
    outb(value, port);
}
std::uint32_t NativePortIo::in32(std::uint16_t port) {
    require();
    return inl(port);
}
void NativePortIo::out32(std::uint16_t port, std::uint32_t value) {
    require();
    outl(value, port);
}
#else
std::uint8_t NativePortIo::in8(std::uint16_t) {
    require();
    return 0xFF;
}
void NativePortIo::out8(std::uint16_t, std::uint8_t) {
    require();
}
std::uint32_t NativePortIo::in32(std::uint16_t) {
    require();
    return 0xFFFFFFFF;
}
void NativePortIo::out32(std::uint16_t, std::uint32_t) {
    require();
}
#endif

} // namespace vsq::platform
