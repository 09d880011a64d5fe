#include "platform/small_file_reading.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vsq::platform {
namespace {

std::string tooLarge(std::size_t most) {
    return "larger than " + std::to_string(most) + " bytes";
}

// Reads the open regular file to its end; empty when read whole.
std::string readAll(int fd, std::size_t most, std::string& text) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::strerror(errno);
        if (got == 0)
            return {};
        text.append(buffer, static_cast<std::size_t>(got));
        if (text.size() > most)
            return tooLarge(most); // it grew while being read
    }
}

} // namespace

SmallFile readSmallRegularFile(const std::string& path, std::size_t most) {
    SmallFile file;
    // Without O_NONBLOCK opening a FIFO would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT)
            file.why = std::strerror(errno);
        return file;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        file.why = std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        file.why = "not a regular file";
    else if (static_cast<std::uintmax_t>(info.st_size) > most)
        file.why = tooLarge(most);
    else
        file.why = readAll(fd, most, file.text);
    ::close(fd);
    if (!file.why.empty())
        file.text.clear();
    return file;
}

} // namespace vsq::platform
