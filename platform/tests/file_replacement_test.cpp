// Replacing a file's contents whole, on a scratch folder.

#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

} // namespace
} // namespace vsq::platform
