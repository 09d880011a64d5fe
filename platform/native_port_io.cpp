#include "platform/native_port_io.h"

#include <cerrno>
#include <cstring>

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <sys/io.h>
#define VSQ_HAVE_RAW_PORTS 1
#else
#define VSQ_HAVE_RAW_PORTS 0
#endif

namespace vsq::platform {

bool NativePortIo::accessAllowed() {
    if (state_ == State::Unknown) {
#if VSQ_HAVE_RAW_PORTS
        if (iopl(3) == 0) {
            state_ = State::Allowed;
        } else {
            state_ = State::Refused;
            refusal_ = std::string("raw I/O port access refused (iopl: ") + std::strerror(errno) +
                       "); run as root or choose VSQ_PORTIO=sim";
        }
#else
        state_ = State::Refused;
        refusal_ = "raw I/O port access is available only on Linux x86";
#endif
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
void NativePortIo::out8(std::uint16_t, std::uint8_t) { require(); }
std::uint32_t NativePortIo::in32(std::uint16_t) {
    require();
    return 0xFFFFFFFF;
}
void NativePortIo::out32(std::uint16_t, std::uint32_t) { require(); }
#endif

} // namespace vsq::platform
