#include "platform/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vsq::platform {
namespace {

std::string reason(int error) {
    return std::strerror(error);
}

// The permissions a newly created file gets: read and write for all, less the umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The most links one name may lead through, as the kernel's own limit.
constexpr int kMostLinks = 40;

// The file a name leads to: a link (or a chain of them) is followed, so the
// replacement lands on the file and the link stays, also when that file does
// not exist yet (a relative link leads from the link's own folder). A name
// that is not a link stands as it is; a chain longer than the kernel follows
// (a loop among them) leads nowhere.
std::optional<std::string> linkTarget(const std::string& name) {
    std::filesystem::path path = name;
    for (int links = 0; links <= kMostLinks; ++links) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            return path.string();
        path = path.parent_path() / target;
    }
    return std::nullopt;
}

// Why the file already at `path` (described by `existing`) may not be
// replaced, if it may not. Only a regular file is replaced, so a FIFO or a
// device never looks written. One without a write bit for anybody stays as it
// is for root too, who could write it otherwise.
std::optional<std::string> refusal(const std::string& path, const struct stat& existing) {
    if (!S_ISREG(existing.st_mode))
        return "not a regular file";
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return "the file is read-only";
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return reason(errno);
    return std::nullopt;
}

} // namespace

std::optional<std::string> replaceFileContents(const std::string& name, std::string_view text) {
    const std::optional<std::string> target = linkTarget(name);
    if (!target)
        return reason(ELOOP);
    const std::string& path = *target;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists)
        if (auto refused = refusal(path, existing))
            return refused;
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return reason(errno);
    // An existing file keeps its whole mode, set-id and sticky bits included; a
    // new one gets the usual permissions. The mode is set after the text, since
    // a write by a caller without CAP_FSETID clears the set-id bits.
    const mode_t mode = exists ? existing.st_mode & 07777 : newFileMode();
    bool written = writeAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return reason(error);
    }
    return std::nullopt;
}

} // namespace vsq::platform
