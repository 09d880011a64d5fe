#pragma once
// What the parallel-port driver library does with its six exports, by backend.
// Ports are numbered from 1, as the driver's callers number them.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vsq::parport {

class ParportBackend {
public:
    virtual ~ParportBackend() = default;
    virtual int portCount() = 0;
    virtual std::optional<std::uint32_t> baseAddress(int portNumber) = 0;
    virtual bool claim(int portNumber) = 0;
    virtual void release(int portNumber) = 0;
    virtual std::uint8_t inByte(std::uint16_t address) = 0;
    virtual void outByte(std::uint16_t address, std::uint8_t value) = 0;
};

// The system calls and folders the ppdev backend uses; tests put fakes here.
struct PpdevSystem {
    std::function<int(const std::string& path, int flags)> open;
    std::function<int(int fd)> close;
    std::function<int(int fd, unsigned long request, void* argument)> ioctl;
    // Where the device files are (parportN), and the kernel's list of parallel
    // ports (a folder parportN per port, each with its base-addr).
    std::string deviceFolder = "/dev";
    std::string portListFolder = "/proc/sys/dev/parport";
};
PpdevSystem realPpdevSystem();

// "sim" (default) or "ppdev"; nullptr for an unknown name.
std::unique_ptr<ParportBackend> makeParportBackend(const std::string& name);
std::unique_ptr<ParportBackend> makeSimParportBackend();
std::unique_ptr<ParportBackend> makePpdevParportBackend(PpdevSystem system = realPpdevSystem());

// Replaces the backend the exports use (tests); nullptr chooses again from
// VSQ_PARPORT at the next call.
void useParportBackend(std::unique_ptr<ParportBackend> backend);

} // namespace vsq::parport
