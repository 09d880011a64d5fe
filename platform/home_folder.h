#pragma once
// The user's home folder, as the environment names it.

#include <optional>
#include <string>

namespace vsq::platform {

// HOME, or nothing when it is unset or empty.
std::optional<std::string> homeFolder();

} // namespace vsq::platform
