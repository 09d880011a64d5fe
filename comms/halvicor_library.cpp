#include "comms/halvicor_library.h"

#include "comms/com_error.h"
#include "platform/library_loader.h"
#include "smbushost/halvicor.h"

#include <dlfcn.h>

namespace brisendal {
namespace {

constexpr int kFileNotFound = 53;
constexpr int kEntryPointNotFound = 453;

template <typename Function> Function as(void* address) {
    return reinterpret_cast<Function>(address);
}

} // namespace

HalvicorLibrary& HalvicorLibrary::instance() {
    static HalvicorLibrary library;
    return library;
}

HalvicorLibrary::~HalvicorLibrary() {
    unload();
}

void HalvicorLibrary::unload() {
    if (handle_ != nullptr)
        dlclose(handle_);
    handle_ = readPci_ = writePci_ = readByBase_ = writeByBase_ = nullptr;
}

void HalvicorLibrary::setLibraryName(const std::string& name) {
    unload();
    libraryName_ = name;
}

void* HalvicorLibrary::function(const char* name, void*& slot) {
    if (slot != nullptr)
        return slot;
    if (handle_ == nullptr) {
        std::string error;
        handle_ = vsq::platform::openLibraryNear(
            reinterpret_cast<const void*>(&HalvicorLibrary::instance), libraryName_, error);
        if (handle_ == nullptr)
            throw ComError(kFileNotFound, "File not found: " + libraryName_ + " (" + error + ")");
    }
    slot = dlsym(handle_, name);
    if (slot == nullptr)
        throw ComError(kEntryPointNotFound,
                       std::string("Can't find DLL entry point ") + name + " in " + libraryName_);
    return slot;
}

std::int32_t HalvicorLibrary::ReadPCI(std::int32_t bus, std::int32_t device, std::int32_t function,
                                      std::int32_t reg) {
    return as<decltype(&::ReadPCI)>(this->function("ReadPCI", readPci_))(bus, device, function,
                                                                         reg);
}

void HalvicorLibrary::WritePCI(std::int32_t bus, std::int32_t device, std::int32_t function,
                               std::int32_t reg, std::int32_t value) {
    as<decltype(&::WritePCI)>(this->function("WritePCI", writePci_))(bus, device, function, reg,
                                                                     value);
}

std::int16_t HalvicorLibrary::ReadByBase(std::int32_t port) {
    return as<decltype(&::ReadByBase)>(function("ReadByBase", readByBase_))(port);
}

void HalvicorLibrary::WriteByBase(std::int32_t port, std::int32_t value) {
    as<decltype(&::WriteByBase)>(function("WriteByBase", writeByBase_))(port, value);
}

} // namespace brisendal
