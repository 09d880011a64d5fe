#include "app/core/registry_options.h"
#include "app/shell/testing/shell_test.h"

#include "platform/registry_store.h"

#include <string>

namespace trelvane {
namespace {

using vsq::platform::RegistryStore;
using namespace std::string_literals;

class RegistryOptionsTest : public testing::ShellTest {};

TEST(TruthValueTest, TakesTextsAndNumbersAsTheProgramReadsThem) {
    struct Case {
        RegistryVariant value;
        bool expected;
    };
    // clang-format off
    const Case cases[] = {
        {RegistryVariant{}, false}, {"True"s, true}, {"False"s, false}, {"true"s, true},
        {"True\0"s, true}, // stored by another tool with its terminating zero
        {"1"s, true}, {"-1"s, true}, {"0"s, false}, {"0.0"s, false}, {"2.5"s, true},
        {"yes"s, false}, {""s, false},
        {std::int32_t{1}, true}, {std::int32_t{0}, false}, {std::int32_t{-1}, true},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(TruthValue(c.value), c.expected) << "case " << (&c - cases);
}

TEST_F(RegistryOptionsTest, LoadReadsTextsAndNumbersAndIsEmptyWhenKeyOrValueIsMissing) {
    writeRegistryFile("[SOFTWARE\\Test\\Key]\n"
                      "\ts\tTrue\n"
                      "Count\td\t42\n");
    EXPECT_EQ(LoadRegistrySetting("SOFTWARE\\Test\\Key", ""), RegistryVariant("True"s));
    EXPECT_EQ(LoadRegistrySetting("software\\test\\key", "Count"), RegistryVariant(42));
    EXPECT_EQ(LoadRegistrySetting("SOFTWARE\\Test\\Key", "Absent"), RegistryVariant());
    EXPECT_EQ(LoadRegistrySetting("SOFTWARE\\Test\\Other", ""), RegistryVariant());
}

TEST_F(RegistryOptionsTest, SaveWritesTextsWithoutTerminatorAndNumbersButNeverCreatesAKey) {
    writeRegistryFile("[SOFTWARE\\Test\\Key]\n");
    SaveRegistrySetting("SOFTWARE\\Test\\Key", "", "True"s, kRegistryText);
    SaveRegistrySetting("SOFTWARE\\Test\\Key", "Count", std::int32_t{7}, kRegistryNumber);
    SaveRegistrySetting("SOFTWARE\\Test\\Key", "Other", "x"s, 3); // no such type: nothing
    SaveRegistrySetting("SOFTWARE\\Test\\Missing", "", "True"s, kRegistryText);

    RegistryStore reread(RegistryStore::instance().filePath());
    auto key = reread.open("SOFTWARE\\Test\\Key");
    ASSERT_TRUE(key);
    const auto text = key->query("");
    ASSERT_TRUE(text);
    EXPECT_EQ(std::get<std::string>(*text), "True"); // no terminator
    EXPECT_EQ(std::get<std::uint32_t>(*key->query("Count")), 7u);
    EXPECT_FALSE(key->query("Other"));
    EXPECT_FALSE(reread.open("SOFTWARE\\Test\\Missing"));
}

TEST_F(RegistryOptionsTest, ReadLeavesTheValueUntouchedWhenItIsMissing) {
    writeRegistryFile("[SOFTWARE\\Test\\Key]\n");
    auto key = RegistryStore::instance().open("SOFTWARE\\Test\\Key");
    ASSERT_TRUE(key);
    RegistryVariant value = "before"s;
    for (const auto& noNumber : {"twelve"s, "12x"s, ""s})
        EXPECT_EQ(WriteRegistryValue(*key, "", 4, noNumber), 1) << "refused: " << noNumber;
    EXPECT_EQ(ReadRegistryValue(*key, "", value), 2) << "not found";
    EXPECT_EQ(value, RegistryVariant("before"s));
    EXPECT_EQ(WriteRegistryValue(*key, "", 4, "12"s), 0) << "a number, written";
    EXPECT_EQ(ReadRegistryValue(*key, "", value), 0);
    EXPECT_EQ(value, RegistryVariant(12));
}

} // namespace
} // namespace trelvane
