#include "comms/halvicor_library.h"

#include "comms/com_error.h"
#include "smbushost/halvicor.h"

namespace brisendal {
namespace {

using vsq::platform::LateBoundLibrary;

constexpr int kFileNotFound = 53;
constexpr int kErrorInLoadingDll = 48;
constexpr int kEntryPointNotFound = 453;

// Halvicor's functions, numbered for the binding.
enum Slot : std::size_t { kReadPci, kWritePci, kReadByBase, kWriteByBase, kSlotCount };
static_assert(kSlotCount <= LateBoundLibrary::kMostFunctions);

int errorNumber(LateBoundLibrary::Missing what) {
    switch (what) {
    case LateBoundLibrary::Missing::Library:
        return kFileNotFound;
    case LateBoundLibrary::Missing::LoadableLibrary:
        return kErrorInLoadingDll;
    case LateBoundLibrary::Missing::Function:
        break;
    }
    return kEntryPointNotFound;
}

void raiseComError(LateBoundLibrary::Missing what, const std::string& text) {
    throw ComError(errorNumber(what), text);
}

} // namespace

HalvicorLibrary& HalvicorLibrary::instance() {
    static HalvicorLibrary library;
    return library;
}

HalvicorLibrary::HalvicorLibrary()
    : library_(reinterpret_cast<const void*>(&HalvicorLibrary::instance), "libHalvicor.so",
               raiseComError) {}

std::int32_t HalvicorLibrary::ReadPCI(std::int32_t bus, std::int32_t device, std::int32_t function,
                                      std::int32_t reg) {
    return library_.function<decltype(&::ReadPCI)>(kReadPci, "ReadPCI")(bus, device, function, reg);
}

void HalvicorLibrary::WritePCI(std::int32_t bus, std::int32_t device, std::int32_t function,
                               std::int32_t reg, std::int32_t value) {
    library_.function<decltype(&::WritePCI)>(kWritePci, "WritePCI")(bus, device, function, reg,
                                                                    value);
}

std::int16_t HalvicorLibrary::ReadByBase(std::int32_t port) {
    return library_.function<decltype(&::ReadByBase)>(kReadByBase, "ReadByBase")(port);
}

void HalvicorLibrary::WriteByBase(std::int32_t port, std::int32_t value) {
    library_.function<decltype(&::WriteByBase)>(kWriteByBase, "WriteByBase")(port, value);
}

} // namespace brisendal
