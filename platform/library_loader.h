#pragma once
// Opens a shared library by name the way the program's own libraries are found:
// an absolute or relative path as given, else beside the library holding
// `anchor` (our build and install folders keep them together), else on the
// dynamic loader's search path.

#include <string>

namespace vsq::platform {

// Returns the dlopen handle, or nullptr with `error` set.
void* openLibraryNear(const void* anchor, const std::string& name, std::string& error);

} // namespace vsq::platform
