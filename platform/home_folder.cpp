#include "platform/home_folder.h"

#include <cstdlib>

namespace vsq::platform {

std::optional<std::string> homeFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0')
        return std::nullopt;
    return std::string(home);
}

} // namespace vsq::platform
