// Numbers that are stored or parsed read and write the same under a locale
// whose decimal separator is a comma. The test program runs with LC_ALL set to
// such a locale, which the Qt application takes on at its start as the
// program does.

#include "controls/common/basic_number.h"
#include "controls/common/property_bag_file.h"
#include "platform/registry_store.h"

#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <string_view>

using namespace vsq::controls;

// Run outside CTest the program lacks the comma locale; its tests then skip.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string_view(std::localeconv()->decimal_point) != ",")
            GTEST_SKIP() << "needs LC_ALL set to a locale whose decimal separator is a comma "
                            "(CTest sets it)";
    }
};

TEST_F(CommaLocale, BasicNumbersReadAndWriteWithAPoint) {
    const struct {
        std::u16string text;
        double value;
    } cases[] = {{u"1.5", 1.5},
                 {u"-0.25", -0.25},
                 {u"1.84467440737096E+19", 1.84467440737096e19},
                 {u"1E-05", 1e-5}};
    for (const auto& c : cases) {
        EXPECT_EQ(strictNumber(c.text), c.value);
        EXPECT_EQ(lenientNumber(c.text + u"x"), c.value);
        EXPECT_EQ(generalFormat(c.value), c.text);
    }
    EXPECT_EQ(generalFormat(0.1f, 7), u"0.1");
}

TEST_F(CommaLocale, PropertyBagFileRoundTrips) {
    PropertyBagFile file;
    file.bag("Gauge").append("Scale", QVariant(1.5f));
    file.bag("Gauge").append("Offset", QVariant(-0.1));
    const QString text = file.toText();
    EXPECT_EQ(text, QStringLiteral(
                        "[Gauge]\nScale\tSingle\t1.5\nOffset\tDouble\t-0.10000000000000001\n"));
    QString error;
    const auto back = PropertyBagFile::fromText(text, error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(*back, file);
}

TEST_F(CommaLocale, RegistryFileRoundTrips) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("registry.txt").toStdString();
    {
        vsq::platform::RegistryStore store(path);
        auto key = store.create("SOFTWARE\\Test");
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->set("Count", std::uint32_t{4000000000u}));
        ASSERT_TRUE(key->set("", std::string("1.5")));
    }
    vsq::platform::RegistryStore again(path);
    auto key = again.open("SOFTWARE\\Test");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->query("Count"), vsq::platform::RegistryValue(std::uint32_t{4000000000u}));
    EXPECT_EQ(key->query(""), vsq::platform::RegistryValue(std::string("1.5")));
}
