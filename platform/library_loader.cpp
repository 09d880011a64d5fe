#include "platform/library_loader.h"

#include <dlfcn.h>
#include <stdexcept>
#include <unistd.h>

namespace vsq::platform {

namespace {

bool exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

} // namespace

void* openLibraryNear(const void* anchor, const std::string& name, std::string& error,
                      bool& present) {
    // A bare name is looked for beside `anchor` first; a file found there is
    // the one meant, so its own failure is the one told.
    std::string path = name;
    if (name.find('/') == std::string::npos) {
        Dl_info info{};
        if (dladdr(anchor, &info) != 0 && info.dli_fname != nullptr) {
            std::string self = info.dli_fname;
            auto slash = self.rfind('/');
            if (slash != std::string::npos && exists(self.substr(0, slash + 1) + name))
                path = self.substr(0, slash + 1) + name;
        }
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = why ? why : ("cannot load " + name);
        // Only a path can be checked: a bare name's search is the loader's own.
        present = path.find('/') != std::string::npos && exists(path);
    }
    return handle;
}

LateBoundLibrary::LateBoundLibrary(const void* anchor, std::string name, Raise raise)
    : anchor_(anchor), name_(std::move(name)), raise_(raise) {}

LateBoundLibrary::~LateBoundLibrary() {
    unload();
}

void LateBoundLibrary::unload() {
    if (handle_ != nullptr)
        dlclose(handle_);
    handle_ = nullptr;
    slots_.fill(nullptr);
}

void LateBoundLibrary::setName(const std::string& name) {
    unload();
    name_ = name;
}

namespace {

[[noreturn]] void fail(LateBoundLibrary::Raise raise, LateBoundLibrary::Missing what,
                       const std::string& text) {
    raise(what, text);
    throw std::logic_error(text); // for a `raise` that returned after all
}

} // namespace

void LateBoundLibrary::load() {
    if (handle_ != nullptr)
        return;
    std::string error;
    bool present = false;
    handle_ = openLibraryNear(anchor_, name_, error, present);
    if (handle_ == nullptr && present)
        fail(raise_, Missing::LoadableLibrary,
             "Error in loading DLL: " + name_ + " is there but cannot be loaded (" + error + ")");
    if (handle_ == nullptr)
        fail(raise_, Missing::Library, "File not found: " + name_ + " (" + error + ")");
}

void* LateBoundLibrary::optionalFunction(const char* symbol) {
    load();
    return dlsym(handle_, symbol);
}

void* LateBoundLibrary::bind(std::size_t slot, const char* symbol) {
    load();
    void* address = dlsym(handle_, symbol);
    if (address == nullptr)
        fail(raise_, Missing::Function,
             std::string("Can't find DLL entry point ") + symbol + " in " + name_);
    slots_.at(slot) = address;
    return address;
}

} // namespace vsq::platform
