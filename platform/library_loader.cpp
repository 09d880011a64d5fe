#include "platform/library_loader.h"

#include <dlfcn.h>

namespace vsq::platform {

void* openLibraryNear(const void* anchor, const std::string& name, std::string& error) {
    if (name.find('/') == std::string::npos) {
        Dl_info info{};
        if (dladdr(anchor, &info) != 0 && info.dli_fname != nullptr) {
            std::string self = info.dli_fname;
            auto slash = self.rfind('/');
            if (slash != std::string::npos) {
                if (void* handle = dlopen((self.substr(0, slash + 1) + name).c_str(), RTLD_NOW))
                    return handle;
            }
        }
    }
    void* handle = dlopen(name.c_str(), RTLD_NOW);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = why ? why : ("cannot load " + name);
    }
    return handle;
}

} // namespace vsq::platform
