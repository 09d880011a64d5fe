#include "platform/parallel_port_driver.h"

#include <cstdlib>

namespace vsq::platform {
namespace {

using CountFn = std::int32_t (*)();
using InfoFn = std::int32_t (*)(std::int32_t, PortInformation*);
using ClaimFn = std::int32_t (*)(std::int32_t, std::int32_t);
using ReleaseFn = std::int32_t (*)(std::int32_t);

// The driver's functions, numbered for the binding.
enum Slot : std::size_t { kCount, kInfo, kClaim, kRelease, kSlotCount };
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
               raiseDriverUnavailable) {
    static_assert(kSlotCount == kInByteSlot);
}

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

} // namespace vsq::platform
