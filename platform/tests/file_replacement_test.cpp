// Replacing a file's contents whole, on a scratch folder.

#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace vsq::platform {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A name that is a link (or a chain of links) writes the file it leads to and
// stays a link.
TEST(FileReplacement, ALinkedNameWritesTheFileItLeadsTo) {
    char pattern[] = "/tmp/file_replacement_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    fs::create_directory(folder / "shared");
    const fs::path target = folder / "shared" / "bench.txt";
    std::ofstream(target) << "old";
    fs::create_symlink(target, folder / "link.txt");
    fs::create_symlink("link.txt", folder / "chain.txt");

    for (const char* name : {"link.txt", "chain.txt"}) {
        const std::string text = std::string("new through ") + name;
        EXPECT_EQ(replaceFileContents((folder / name).string(), text), std::nullopt) << name;
        EXPECT_EQ(contents(target), text) << name;
        EXPECT_TRUE(fs::is_symlink(folder / name)) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
    fs::remove_all(folder);
}

// A replaced file keeps the permission bits it had (the one-owner file stays
// private, the shared one shared); a new file gets the usual ones.
TEST(FileReplacement, AReplacedFileKeepsItsPermissions) {
    char pattern[] = "/tmp/file_replacement_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    const mode_t mask = ::umask(022);
    for (const unsigned mode : {0600u, 0640u, 0664u, 0755u, 0200u}) {
        const fs::path file = folder / ("kept-" + std::to_string(mode));
        std::ofstream(file) << "old";
        fs::permissions(file, fs::perms(mode));
        EXPECT_EQ(replaceFileContents(file.string(), "new"), std::nullopt) << mode;
        EXPECT_EQ(static_cast<unsigned>(fs::status(file).permissions()), mode) << mode;
    }
    EXPECT_EQ(replaceFileContents((folder / "new").string(), "new"), std::nullopt);
    EXPECT_EQ(static_cast<unsigned>(fs::status(folder / "new").permissions()), 0644u);
    ::umask(mask);
    fs::remove_all(folder);
}

// A null device of the folder's own where the caller may make one (root), so
// that a save that wrongly replaced it would not replace the system's.
fs::path characterDevice(const fs::path& folder) {
    const fs::path node = folder / "null";
    return ::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 ? node : "/dev/null";
}

// Only a regular file the caller may write is replaced: a read-only one (for
// root too), a FIFO, a device or a link to one is left as it was and nothing
// is left beside it.
TEST(FileReplacement, ATargetThatIsNotAWritableRegularFileIsRefused) {
    char pattern[] = "/tmp/file_replacement_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    std::ofstream(folder / "read-only.txt") << "old";
    fs::permissions(folder / "read-only.txt", fs::perms(0444));
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink(folder / "fifo", folder / "fifo-link");
    const fs::path device = characterDevice(folder);
    fs::create_symlink(device, folder / "device-link");
    struct Case {
        fs::path target;
        const char* why;
        fs::file_type type; // what stays there
    };
    for (const Case& c :
         {Case{folder / "read-only.txt", "the file is read-only", fs::file_type::regular},
          Case{folder / "fifo", "not a regular file", fs::file_type::fifo},
          Case{folder / "fifo-link", "not a regular file", fs::file_type::fifo},
          Case{device, "not a regular file", fs::file_type::character},
          Case{folder / "device-link", "not a regular file", fs::file_type::character}}) {
        EXPECT_EQ(replaceFileContents(c.target.string(), "new"), c.why) << c.target;
        EXPECT_EQ(fs::status(c.target).type(), c.type) << c.target;
    }
    EXPECT_EQ(contents(folder / "read-only.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              device == "/dev/null" ? 4 : 5);
    fs::remove_all(folder);
}

} // namespace
} // namespace vsq::platform
