#pragma once
// The parallel-port driver library, loaded by name at the first call of one of
// its functions and each function looked up by name, as the bus code expects of
// its port driver. A missing library or function raises DriverUnavailable from
// the call that needed it.

#include "platform/library_loader.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vsq::platform {

// The driver's port-information record: 12 bytes, little-endian.
struct PortInformation {
    std::uint32_t recordSize = 0;
    std::uint32_t baseAddress = 0;
    std::uint32_t reserved = 0;
};
static_assert(sizeof(PortInformation) == 12);

class DriverUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ParallelPortDriver {
public:
    // The one driver binding of the process.
    static ParallelPortDriver& instance();

    // The library to load: a path, or a file name looked for beside this
    // library and then on the loader's path. Default "libvsqparport.so", or
    // VSQ_PARPORT_LIBRARY. Changing it drops the current binding.
    void setLibraryName(const std::string& name) { library_.setName(name); }
    const std::string& libraryName() const { return library_.name(); }

    // Also raises DriverUnavailable when the driver says it cannot work at all.
    std::int32_t GetParallelPortCount();
    std::int32_t GetParallelPortInfo(std::int32_t portNumber, PortInformation& record);
    std::int32_t ClaimParallelPort(std::int32_t portNumber, std::int32_t mode);
    std::int32_t ReleaseParallelPort(std::int32_t portNumber);
    // The two register accesses run at every bus edge: inline, their
    // functions bound at the first call.
    std::uint8_t InByte(std::uint16_t address) {
        return library_.function<InByteFn>(kInByteSlot, "InByte")(address);
    }
    void OutByte(std::uint16_t address, std::uint8_t value) {
        library_.function<OutByteFn>(kOutByteSlot, "OutByte")(address, value);
    }

    ParallelPortDriver(const ParallelPortDriver&) = delete;
    ParallelPortDriver& operator=(const ParallelPortDriver&) = delete;

private:
    ParallelPortDriver();
    ~ParallelPortDriver() = default;

    using InByteFn = std::uint8_t (*)(std::uint16_t);
    using OutByteFn = void (*)(std::uint16_t, std::uint8_t);
    // After the four slots of the other functions.
    static constexpr std::size_t kInByteSlot = 4;
    static constexpr std::size_t kOutByteSlot = 5;
    static_assert(kOutByteSlot < LateBoundLibrary::kMostFunctions);

    LateBoundLibrary library_;
};

} // namespace vsq::platform
