#include "platform/parallel_port_driver.h"

#include "platform/library_loader.h"

#include <cstdlib>
#include <dlfcn.h>

namespace vsq::platform {
namespace {

using CountFn = std::int32_t (*)();
using InfoFn = std::int32_t (*)(std::int32_t, PortInformation*);
using ClaimFn = std::int32_t (*)(std::int32_t, std::int32_t);
using ReleaseFn = std::int32_t (*)(std::int32_t);
using InByteFn = std::uint8_t (*)(std::uint16_t);
using OutByteFn = void (*)(std::uint16_t, std::uint8_t);

const char* defaultLibraryName() {
    const char* chosen = std::getenv("VSQ_PARPORT_LIBRARY");
    return (chosen && *chosen) ? chosen : "libvsqparport.so";
}

} // namespace

ParallelPortDriver& ParallelPortDriver::instance() {
    static ParallelPortDriver driver;
    return driver;
}

ParallelPortDriver::ParallelPortDriver() : libraryName_(defaultLibraryName()) {}

ParallelPortDriver::~ParallelPortDriver() { unload(); }

void ParallelPortDriver::unload() {
    if (handle_ != nullptr)
        dlclose(handle_);
    handle_ = count_ = info_ = claim_ = release_ = inByte_ = outByte_ = nullptr;
}

void ParallelPortDriver::setLibraryName(const std::string& name) {
    unload();
    libraryName_ = name;
}

void* ParallelPortDriver::function(const char* name, void*& slot) {
    if (slot != nullptr)
        return slot;
    if (handle_ == nullptr) {
        std::string error;
        handle_ = openLibraryNear(reinterpret_cast<const void*>(&ParallelPortDriver::instance),
                                  libraryName_, error);
        if (handle_ == nullptr)
            throw DriverUnavailable("File not found: " + libraryName_ + " (" + error + ")");
    }
    slot = dlsym(handle_, name);
    if (slot == nullptr)
        throw DriverUnavailable(std::string("Can't find DLL entry point ") + name + " in " +
                                libraryName_);
    return slot;
}

std::int32_t ParallelPortDriver::GetParallelPortCount() {
    return reinterpret_cast<CountFn>(function("GetParallelPortCount", count_))();
}

std::int32_t ParallelPortDriver::GetParallelPortInfo(std::int32_t portNumber,
                                                     PortInformation& record) {
    return reinterpret_cast<InfoFn>(function("GetParallelPortInfo", info_))(portNumber, &record);
}

std::int32_t ParallelPortDriver::ClaimParallelPort(std::int32_t portNumber, std::int32_t mode) {
    return reinterpret_cast<ClaimFn>(function("ClaimParallelPort", claim_))(portNumber, mode);
}

std::int32_t ParallelPortDriver::ReleaseParallelPort(std::int32_t portNumber) {
    return reinterpret_cast<ReleaseFn>(function("ReleaseParallelPort", release_))(portNumber);
}

std::uint8_t ParallelPortDriver::InByte(std::uint16_t address) {
    return reinterpret_cast<InByteFn>(function("InByte", inByte_))(address);
}

void ParallelPortDriver::OutByte(std::uint16_t address, std::uint8_t value) {
    reinterpret_cast<OutByteFn>(function("OutByte", outByte_))(address, value);
}

} // namespace vsq::platform
