#pragma once
// Processor I/O port access at 16-bit I/O addresses, standing in for the
// in/out instructions. The backend is chosen once from VSQ_PORTIO ("sim", the
// default; "native", raw ports on Linux x86; "qtest", a QEMU machine) or
// installed by a test.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace vsq::platform {

class PortIoBackend {
public:
    virtual ~PortIoBackend() = default;
    virtual std::string name() const = 0;
    // Whether this process may touch the I/O ports. Callers ask before they
    // scan, so a refused permission never turns into a faulting instruction.
    virtual bool accessAllowed() = 0;
    virtual std::uint8_t in8(std::uint16_t port) = 0;
    virtual void out8(std::uint16_t port, std::uint8_t value) = 0;
    virtual std::uint32_t in32(std::uint16_t port) = 0;
    virtual void out32(std::uint16_t port, std::uint32_t value) = 0;
};

// Raised by a backend that cannot perform an access (permission refused, peer gone).
class PortIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The backend in use, created from VSQ_PORTIO at first use.
PortIoBackend& portIo();
// Replaces the backend (nullptr: choose again from VSQ_PORTIO). Returns the previous one.
std::shared_ptr<PortIoBackend> installPortIo(std::shared_ptr<PortIoBackend> backend);
// Creates the backend of the given name; throws PortIoError for an unknown name.
std::shared_ptr<PortIoBackend> makePortIoBackend(const std::string& name);

inline bool portAccessAllowed() { return portIo().accessAllowed(); }
inline std::uint8_t in8(std::uint16_t port) { return portIo().in8(port); }
inline void out8(std::uint16_t port, std::uint8_t value) { portIo().out8(port, value); }
inline std::uint32_t in32(std::uint16_t port) { return portIo().in32(port); }
inline void out32(std::uint16_t port, std::uint32_t value) { portIo().out32(port, value); }

} // namespace vsq::platform
