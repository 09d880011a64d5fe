#include "platform/parallel_port_driver.h"

#include <cstdlib>

namespace vsq::platform {
namespace {

using CountFn = std::int32_t (*)();
using InfoFn = std::int32_t (*)(std::int32_t, PortInformation*);
using ClaimFn = std::int32_t (*)(std::int32_t, std::int32_t);
using ReleaseFn = std::int32_t (*)(std::int32_t);
using InByteFn = std::uint8_t (*)(std::uint16_t);
using OutByteFn = void (*)(std::uint16_t, std::uint8_t);

// The driver's functions, numbered for the binding.
enum Slot : std::size_t { kCount, kInfo, kClaim, kRelease, kInByte, kOutByte, kSlotCount };
static_assert(kSlotCount <= LateBoundLibrary::kMostFunctions);

const char* defaultLibraryName() {
    const char* chosen = std::getenv("VSQ_PARPORT_LIBRARY");
    return (chosen && *chosen) ? chosen : "libvsqparport.so";
}

void raiseDriverUnavailable(LateBoundLibrary::Missing, const std::string& text) {
    throw DriverUnavailable(text);
}

} // namespace

ParallelPortDriver& ParallelPortDriver::instance() {
    static ParallelPortDriver driver;
    return driver;
}

ParallelPortDriver::ParallelPortDriver()
    : library_(reinterpret_cast<const void*>(&ParallelPortDriver::instance), defaultLibraryName(),
               raiseDriverUnavailable) {}

std::int32_t ParallelPortDriver::GetParallelPortCount() {
    // Our own driver says when it cannot work at all (an unknown VSQ_PARPORT);
    // that fails the call as a missing driver would.
    using ProblemFn = const char* (*)();
    if (auto problem =
            reinterpret_cast<ProblemFn>(library_.optionalFunction("ParallelPortDriverProblem"))) {
        if (const char* text = problem())
            throw DriverUnavailable(text);
    }
    return library_.function<CountFn>(kCount, "GetParallelPortCount")();
}

std::int32_t ParallelPortDriver::GetParallelPortInfo(std::int32_t portNumber,
                                                     PortInformation& record) {
    return library_.function<InfoFn>(kInfo, "GetParallelPortInfo")(portNumber, &record);
}

std::int32_t ParallelPortDriver::ClaimParallelPort(std::int32_t portNumber, std::int32_t mode) {
    return library_.function<ClaimFn>(kClaim, "ClaimParallelPort")(portNumber, mode);
}

std::int32_t ParallelPortDriver::ReleaseParallelPort(std::int32_t portNumber) {
    return library_.function<ReleaseFn>(kRelease, "ReleaseParallelPort")(portNumber);
}

std::uint8_t ParallelPortDriver::InByte(std::uint16_t address) {
    return library_.function<InByteFn>(kInByte, "InByte")(address);
}

void ParallelPortDriver::OutByte(std::uint16_t address, std::uint8_t value) {
    library_.function<OutByteFn>(kOutByte, "OutByte")(address, value);
}

} // namespace vsq::platform
