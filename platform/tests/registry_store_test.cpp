#include "platform/registry_store.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <sys/stat.h>

using namespace vsq::platform;

namespace {

class RegistryStoreTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("vsq-registry-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        path_ = (dir_ / "sub" / "registry.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string fileText() const {
        std::ifstream in(path_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir_;
    std::string path_;
};

const std::string kKey = "SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Emulate Fixed Silicon";

} // namespace

TEST_F(RegistryStoreTest, OpenNeverCreatesAndMissingValuesReadAsNothing) {
    RegistryStore store(path_);
    EXPECT_TRUE(store.loadError().empty());
    EXPECT_FALSE(store.open(kKey).has_value());
    EXPECT_FALSE(std::filesystem::exists(path_));
    auto key = store.create(kKey);
    ASSERT_TRUE(key.has_value());
    EXPECT_FALSE(key->query("").has_value());
}

TEST_F(RegistryStoreTest, ValuesSurviveAReloadWithTheirTypes) {
    {
        RegistryStore store(path_);
        auto key = store.create(kKey);
        ASSERT_TRUE(key->set("", std::string("True")));
        ASSERT_TRUE(key->set("Count", std::uint32_t{4294967295u}));
        ASSERT_TRUE(key->set("Odd", std::string("tab\there\nnew line \\ end\r")));
        ASSERT_TRUE(key->set("", std::string("False"))); // replaces, never duplicates
    }
    RegistryStore again(path_);
    auto key = again.open("software\\ombrix\\vsq5540 evaluation software\\EMULATE fixed silicon");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(std::get<std::string>(*key->query("")), "False");
    EXPECT_EQ(std::get<std::uint32_t>(*key->query("count")), 4294967295u);
    EXPECT_EQ(std::get<std::string>(*key->query("Odd")), "tab\there\nnew line \\ end\r");
    EXPECT_FALSE(std::filesystem::exists(path_ + ".tmp"));
}

TEST_F(RegistryStoreTest, DamagedLinesAreNamedSkippedAndTheFileLeftUntouched) {
    std::filesystem::create_directories(dir_ / "sub");
    const std::string damaged = "Early\ts\tbefore any key\n"
                                "[SOFTWARE\\Key]\n"
                                "Good\td\t7\n"
                                "Big\td\t4294967296\n"
                                "Odd\tx\t1\n"
                                "Esc\ts\tbad \\q escape\n"
                                "[Broken\n"
                                "Lost\ts\tunder the broken key\n"
                                "[software\\KEY]\r\n"
                                "good\ts\tlater line wins\n"
                                "Other\ts\tkept\r\n"
                                "# a note, not a value\n";
    std::ofstream(path_) << damaged;
    testing::internal::CaptureStderr();
    RegistryStore store(path_);
    const std::string said = testing::internal::GetCapturedStderr();
    for (const char* line : {":1: value line", ":4: bad 32-bit number", ":5: unknown value type",
                             ":6: bad escape", ":7: key line without closing bracket"})
        EXPECT_NE(said.find(path_ + line), std::string::npos) << line << "\n" << said;
    EXPECT_EQ(said.find(":8:"), std::string::npos);
    EXPECT_EQ(said.find(":12:"), std::string::npos);
    auto key = store.open("SOFTWARE\\Key");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->query("Good"), RegistryValue(std::string("later line wins")));
    EXPECT_EQ(key->query("other"), RegistryValue(std::string("kept")));
    EXPECT_FALSE(key->set("New", std::string("x")));
    EXPECT_FALSE(store.create("SOFTWARE\\Other").has_value());
    EXPECT_FALSE(store.create("SOFTWARE\\Key").has_value());
    EXPECT_EQ(fileText(), damaged);
}

TEST_F(RegistryStoreTest, AnythingButASmallRegularFileIsRefusedAtOnce) {
    std::filesystem::create_directories(dir_ / "sub");
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = (dir_ / "big").string();
    std::ofstream(big) << std::string(RegistryStore::kMostFileBytes + 1, '#');
    struct Case {
        std::string path;
        const char* why;
    };
    const Case cases[] = {{fifo, "not a regular file"},
                          {(dir_ / "sub").string(), "not a regular file"},
                          {"/dev/zero", "not a regular file"},
                          {big, "larger than 1048576 bytes"}};
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        RegistryStore store(c.path);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(store.loadError(),
                  c.path + ": " + c.why + "; not read, and changes are not saved");
        EXPECT_NE(said.find(store.loadError()), std::string::npos) << said;
        EXPECT_TRUE(store.fileRefused());
        EXPECT_FALSE(store.create("SOFTWARE\\Key").has_value());
    }
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
}

TEST_F(RegistryStoreTest, AFileOfExactlyTheLargestSizeIsRead) {
    std::filesystem::create_directories(dir_ / "sub");
    const std::string head = "[SOFTWARE\\Key]\n";
    std::ofstream(path_) << head << std::string(RegistryStore::kMostFileBytes - head.size(), '\n');
    ASSERT_EQ(std::filesystem::file_size(path_), 1048576u);
    RegistryStore store(path_);
    EXPECT_EQ(store.loadError(), "");
    EXPECT_FALSE(store.fileRefused());
    EXPECT_TRUE(store.open("SOFTWARE\\Key").has_value());
}

TEST_F(RegistryStoreTest, AWriteThatFailsIsSaidOnceAndTheStoreGoesOn) {
    // Absent, so read as empty, in a folder nobody can make, root included.
    const std::string path = "/proc/vsq-no-such-folder/registry.txt";
    testing::internal::CaptureStderr();
    RegistryStore store(path);
    EXPECT_FALSE(store.fileRefused());
    EXPECT_FALSE(store.create("SOFTWARE\\Key").has_value());
    EXPECT_FALSE(store.create("SOFTWARE\\Key").has_value());
    const std::string said = testing::internal::GetCapturedStderr();
    const std::string line = "registry " + path + ": ";
    const auto first = said.find(line);
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(line, first + 1), std::string::npos) << said;
    EXPECT_NE(said.find("changes are not saved"), std::string::npos) << said;

    // A value whose write failed is not kept either: memory and file stay in step.
    RegistryStore kept(path_);
    auto key = kept.create(kKey);
    ASSERT_TRUE(key->set("Count", std::uint32_t{1}));
    std::filesystem::permissions(path_, std::filesystem::perms(0444)); // refused for root too
    testing::internal::CaptureStderr();
    EXPECT_FALSE(key->set("Count", std::uint32_t{2}));
    EXPECT_FALSE(key->set("New", std::string("x")));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(key->query("Count"), RegistryValue(std::uint32_t{1}));
    EXPECT_FALSE(key->query("New").has_value());
}

// An empty variable counts as unset.
TEST_F(RegistryStoreTest, DefaultPathFollowsTheEnvironment) {
    std::map<std::string, std::optional<std::string>> saved;
    for (const char* name : {"VSQ_REGISTRY", "XDG_CONFIG_HOME", "HOME"})
        if (const char* value = std::getenv(name))
            saved[name] = value;
        else
            saved[name] = std::nullopt;
    ::setenv("HOME", "/tmp/home", 1);
    ::setenv("VSQ_REGISTRY", path_.c_str(), 1);
    EXPECT_EQ(RegistryStore::defaultPath(), path_);
    ::setenv("VSQ_REGISTRY", "", 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(RegistryStore::defaultPath(), "/tmp/cfg/vsq5540-eval/registry.txt");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(RegistryStore::defaultPath(), "/tmp/home/.config/vsq5540-eval/registry.txt");
    for (const auto& [name, value] : saved)
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
}
