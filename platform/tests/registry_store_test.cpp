#include "platform/registry_store.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

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
        ASSERT_TRUE(key->set("Count", std::uint32_t{4000000000u}));
        ASSERT_TRUE(key->set("Odd", std::string("tab\there\nnew line \\ end")));
        ASSERT_TRUE(key->set("", std::string("False"))); // replaces, never duplicates
    }
    RegistryStore again(path_);
    auto key = again.open("software\\ombrix\\vsq5540 evaluation software\\EMULATE fixed silicon");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(std::get<std::string>(*key->query("")), "False");
    EXPECT_EQ(std::get<std::uint32_t>(*key->query("count")), 4000000000u);
    EXPECT_EQ(std::get<std::string>(*key->query("Odd")), "tab\there\nnew line \\ end");
    EXPECT_FALSE(std::filesystem::exists(path_ + ".tmp"));
}

TEST_F(RegistryStoreTest, UnparsableFileIsReportedAndLeftUntouched) {
    std::filesystem::create_directories(dir_ / "sub");
    const std::string garbage = "[SOFTWARE\\Key]\nthis line is not a value\n";
    std::ofstream(path_) << garbage;
    RegistryStore store(path_);
    EXPECT_NE(store.loadError().find(":2:"), std::string::npos);
    EXPECT_FALSE(store.open("SOFTWARE\\Key").has_value());
    EXPECT_FALSE(store.create("SOFTWARE\\Other").has_value());
    EXPECT_EQ(fileText(), garbage);
}

TEST_F(RegistryStoreTest, BadNumbersAndTypesAreParseErrors) {
    std::filesystem::create_directories(dir_ / "sub");
    for (const char* text : {"[K]\nv\td\t4294967296\n", "[K]\nv\tx\t1\n", "v\ts\tno key\n",
                             "[K\n", "[K]\nv\ts\tbad \\q escape\n"}) {
        std::ofstream(path_, std::ios::trunc) << text;
        RegistryStore store(path_);
        EXPECT_FALSE(store.loadError().empty()) << text;
    }
}

TEST_F(RegistryStoreTest, DefaultPathFollowsTheEnvironment) {
    ::setenv("VSQ_REGISTRY", path_.c_str(), 1);
    EXPECT_EQ(RegistryStore::defaultPath(), path_);
    ::unsetenv("VSQ_REGISTRY");
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(RegistryStore::defaultPath(), "/tmp/cfg/vsq5540-eval/registry.txt");
}
