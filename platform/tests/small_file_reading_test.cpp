// Reading a small regular file whole, and refusing everything else at once.

#include "platform/small_file_reading.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace vsq::platform {
namespace {

namespace fs = std::filesystem;

TEST(SmallFileReading, OnlyARegularFileWithinTheSizeIsRead) {
    char pattern[] = "/tmp/small_file_reading_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    std::ofstream(folder / "four.txt") << "four";
    std::ofstream(folder / "five.txt") << "five!";
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink(folder / "fifo", folder / "fifo-link");
    fs::create_symlink(folder / "four.txt", folder / "four-link");
    struct Case {
        fs::path path;
        const char* text;
        const char* why;
    };
    for (const Case& c :
         {Case{folder / "four.txt", "four", ""}, Case{folder / "four-link", "four", ""},
          Case{folder / "absent.txt", "", ""}, Case{folder / "five.txt", "", "larger than 4 bytes"},
          Case{folder / "fifo", "", "not a regular file"},
          Case{folder / "fifo-link", "", "not a regular file"},
          Case{folder, "", "not a regular file"}, Case{"/dev/zero", "", "not a regular file"},
          Case{folder / "four.txt" / "inside", "", "Not a directory"}}) {
        const SmallFile file = readSmallRegularFile(c.path.string(), 4);
        EXPECT_EQ(file.text, c.text) << c.path;
        EXPECT_EQ(file.why, c.why) << c.path;
    }
    // A file whose size says 0 but that holds more (as the kernel's files do)
    // is measured as it is read.
    EXPECT_EQ(readSmallRegularFile("/proc/sys/kernel/ostype", 6).text, "Linux\n");
    EXPECT_EQ(readSmallRegularFile("/proc/sys/kernel/ostype", 5).why, "larger than 5 bytes");
    fs::remove_all(folder);
}

} // namespace
} // namespace vsq::platform
