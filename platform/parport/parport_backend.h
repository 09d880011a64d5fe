#pragma once
// What the parallel-port driver library does with its six exports, by backend.
// Ports are numbered from 1, as the driver's callers number them.

#include <cstdint>
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

// "sim" (default) or "ppdev"; nullptr for an unknown name.
std::unique_ptr<ParportBackend> makeParportBackend(const std::string& name);
std::unique_ptr<ParportBackend> makeSimParportBackend();
std::unique_ptr<ParportBackend> makePpdevParportBackend();

} // namespace vsq::parport
