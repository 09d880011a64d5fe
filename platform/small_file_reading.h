#pragma once
// Reading a whole small file that the user names: anything that is not a
// regular file (a FIFO, a folder, a device, a link to one) is refused without
// waiting on it, and so is a file larger than the caller allows.

#include <cstddef>
#include <string>

namespace vsq::platform {

struct SmallFile {
    std::string text; // the whole file; empty when absent or refused
    std::string why;  // empty when read or absent; else why it was refused
};

// Opens `path` without blocking, checks what it is before reading a byte, and
// reads it whole when it is a regular file of at most `most` bytes. An absent
// file reads as empty and is not refused.
SmallFile readSmallRegularFile(const std::string& path, std::size_t most);

} // namespace vsq::platform
