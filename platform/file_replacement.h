#pragma once
// Writing a whole file so that it is either written completely or left as it
// was: the text goes to a new file beside it, which then replaces it.

#include <optional>
#include <string>
#include <string_view>

namespace vsq::platform {

// Writes `text` to `path`, replacing the regular file there, if any. On failure
// (no permission, disk full, a folder that does not exist) the file at `path`
// is unchanged, the partial new file is removed, and the reason is returned.
// Refused without a write: a file that the caller may not write or that has no
// write permission for anybody (root included), and anything that is not a
// regular file (a FIFO, a device, a folder). A `path` that is a link replaces
// the file the link leads to, or makes it when it does not exist yet, and
// leaves the link in place; a chain of more links than the kernel follows (a
// loop) is refused, its links left as they are.
std::optional<std::string> replaceFileContents(const std::string& path, std::string_view text);

} // namespace vsq::platform
