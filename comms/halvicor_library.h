#pragma once
// The communications library's binding of Halvicor: the library is loaded by
// name at the first call of one of its functions, each function looked up by
// name at its first call and kept for later calls. A missing library or
// function fails that call with a ComError (53 "File not found: ...", 453
// "Can't find DLL entry point ..."), and so does a library file that is there
// but cannot be loaded (48 "Error in loading DLL: ..."). One binding per process.

#include "platform/library_loader.h"

#include <cstdint>
#include <string>

namespace brisendal {

class HalvicorLibrary {
public:
    static HalvicorLibrary& instance();

    // The library to load: a path, or a file name looked for beside this
    // library and then on the loader's path. Default "libHalvicor.so".
    // Changing it drops the current binding.
    void setLibraryName(const std::string& name) { library_.setName(name); }
    const std::string& libraryName() const { return library_.name(); }

    std::int32_t ReadPCI(std::int32_t bus, std::int32_t device, std::int32_t function,
                         std::int32_t reg);
    void WritePCI(std::int32_t bus, std::int32_t device, std::int32_t function, std::int32_t reg,
                  std::int32_t value);
    std::int16_t ReadByBase(std::int32_t port);
    void WriteByBase(std::int32_t port, std::int32_t value);

    HalvicorLibrary(const HalvicorLibrary&) = delete;
    HalvicorLibrary& operator=(const HalvicorLibrary&) = delete;

private:
    HalvicorLibrary();
    ~HalvicorLibrary() = default;

    vsq::platform::LateBoundLibrary library_;
};

} // namespace brisendal
