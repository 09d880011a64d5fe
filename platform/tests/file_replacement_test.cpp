// Replacing a file's contents whole, on a scratch folder.

#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <linux/capability.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vsq::platform {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A name that is a link (or a chain of links, as many as the kernel follows)
// writes the file it leads to and stays a link; a file the link leads to that
// does not exist yet is made, a relative link leading from the link's own
// folder. A longer chain, or a loop, is refused and its links stay.
TEST(FileReplacement, ALinkedNameWritesTheFileItLeadsTo) {
    char pattern[] = "/tmp/file_replacement_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    fs::create_directory(folder / "shared");
    const fs::path target = folder / "shared" / "bench.txt";
    std::ofstream(target) << "old";
    fs::create_symlink(target, folder / "link.txt");
    fs::create_symlink("link.txt", folder / "chain.txt");
    fs::create_symlink("shared/new.txt", folder / "new-link.txt");
    // long-1 -> long-2 -> ... -> long-40 -> shared/long.txt; longer -> long-1.
    for (int link = 1; link <= 40; ++link)
        fs::create_symlink(link == 40 ? "shared/long.txt" : "long-" + std::to_string(link + 1),
                           folder / ("long-" + std::to_string(link)));
    fs::create_symlink("long-1", folder / "longer");
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    fs::create_symlink("self", folder / "self");

    for (const char* name : {"link.txt", "chain.txt", "new-link.txt", "long-1"}) {
        const std::string text = std::string("new through ") + name;
        EXPECT_EQ(replaceFileContents((folder / name).string(), text), std::nullopt) << name;
        EXPECT_EQ(contents(fs::canonical(folder / name)), text) << name;
        EXPECT_TRUE(fs::is_symlink(folder / name)) << name;
    }
    for (const char* name : {"longer", "loop-a", "self"}) {
        EXPECT_EQ(replaceFileContents((folder / name).string(), "new"),
                  "Too many levels of symbolic links")
            << name;
        EXPECT_TRUE(fs::is_symlink(folder / name)) << name;
    }
    EXPECT_EQ(contents(folder / "shared" / "long.txt"), "new through long-1");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 48);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "shared"), fs::directory_iterator()),
              3);
    fs::remove_all(folder);
}

// Takes a capability out of the effective set while it lives (a caller
// without it has nothing to take), as a user other than root runs.
class WithoutCapability {
public:
    explicit WithoutCapability(unsigned capability)
        : word_(capability / 32), bit_(1u << (capability % 32)) {
        ::syscall(SYS_capget, &header_, sets_);
        held_ = sets_[word_].effective & bit_;
        setEffective(sets_[word_].effective & ~bit_);
    }
    ~WithoutCapability() { setEffective(sets_[word_].effective | held_); }
    WithoutCapability(const WithoutCapability&) = delete;
    WithoutCapability& operator=(const WithoutCapability&) = delete;
    bool held() const { return held_ != 0; }

private:
    void setEffective(std::uint32_t effective) {
        sets_[word_].effective = effective;
        ::syscall(SYS_capset, &header_, sets_);
    }
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct sets_[_LINUX_CAPABILITY_U32S_3] = {};
    unsigned word_;
    std::uint32_t bit_, held_ = 0;
};

// A replaced file keeps the mode it had (the one-owner file stays private,
// the shared one shared, set-id and sticky bits stay, also for a caller whose
// writes clear set-id bits); a new file gets the usual permissions.
TEST(FileReplacement, AReplacedFileKeepsItsPermissions) {
    char pattern[] = "/tmp/file_replacement_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    const mode_t mask = ::umask(022);
    const WithoutCapability user(CAP_FSETID);
    std::vector<unsigned> modes = {0600u, 0640u, 0664u, 0755u, 0200u, 04755u, 02775u, 01644u};
    if (WithoutCapability(CAP_DAC_OVERRIDE).held()) // root writes what only group or others may
        modes.insert(modes.end(), {0020u, 0002u});
    for (const unsigned mode : modes) {
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
// root too), one that only its group or others may write (for its owner), a
// FIFO, a device or a link to one is left as it was and nothing is left
// beside it.
TEST(FileReplacement, ATargetThatIsNotAWritableRegularFileIsRefused) {
    char pattern[] = "/tmp/file_replacement_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    const std::pair<const char*, unsigned> files[] = {
        {"read-only.txt", 0444}, {"group-write.txt", 0020}, {"other-write.txt", 0002}};
    for (const auto& [name, mode] : files) {
        std::ofstream(folder / name) << "old";
        fs::permissions(folder / name, fs::perms(mode));
    }
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
    {
        const WithoutCapability owner(CAP_DAC_OVERRIDE); // as their owner, not as root
        for (const char* name : {"group-write.txt", "other-write.txt"})
            EXPECT_EQ(replaceFileContents((folder / name).string(), "new"), "Permission denied")
                << name;
    }
    for (const auto& [name, mode] : files) {
        fs::permissions(folder / name, fs::perms(0600)); // readable for any owner
        EXPECT_EQ(contents(folder / name), "old") << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              device == "/dev/null" ? 6 : 7);
    fs::remove_all(folder);
}

} // namespace
} // namespace vsq::platform
