#include "controls/common/basic_error.h"
#include "controls/common/property_bag_file.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vsq::controls;

TEST(PropertyBag, KeepsOnlyWhatDiffersFromTheDefaultAndRefusesValuesItCannotKeep) {
    PropertyBag bag;
    bag.write<std::int16_t>("Alignment", 1, 1);
    bag.write<std::uint8_t>("NumberBase", 4, 0);
    bag.write<QString>("Text", "Text1", "Text1");
    bag.write("Value", QVariant(), QVariant(0));
    bag.write<bool>("Enabled", false, true);
    EXPECT_THROW(bag.write("List", QVariant(QStringList{"a"}), QVariant()), BasicError);
    EXPECT_THROW(bag.append("Big", QVariant(qint64(1))), BasicError);
    ASSERT_EQ(bag.entries().size(), 2u);
    EXPECT_EQ(bag.entries()[0].key, QStringLiteral("NumberBase"));
    EXPECT_EQ(bag.entries()[1].value, QVariant(false));
}

TEST(PropertyBag, ReadsConvertAndAbsentKeysReadTheirDefault) {
    PropertyBag bag;
    bag.append("MaxNibbles", QVariant(QStringLiteral("4")));
    bag.append("Big", QVariant(1000));
    EXPECT_EQ(bag.read<std::uint8_t>("MaxNibbles", 2), 4);
    EXPECT_EQ(bag.read<std::uint8_t>("Missing", 2), 2);
    EXPECT_EQ(bag.read<QString>("Big", "x"), QStringLiteral("1000"));
    EXPECT_THROW(bag.read<std::uint8_t>("Big", 0), BasicError);
    EXPECT_FALSE(bag.value("Missing").isValid());
}

TEST(PropertyBag, DuplicateKeysStayAndTheLastIsRead) {
    PropertyBag bag;
    bag.write<std::uint8_t>("MaxNibbles", 4, 2);
    bag.write<QString>("Text", "A", "");
    bag.write<std::uint8_t>("MaxNibbles", 7, 2);
    EXPECT_EQ(bag.read<std::uint8_t>("MaxNibbles", 2), 7);
    EXPECT_EQ(bag.readAll("MaxNibbles"), (QVariantList{QVariant::fromValue<std::uint8_t>(4),
                                                       QVariant::fromValue<std::uint8_t>(7)}));
}

TEST(PropertyBagFile, EveryTypeSurvivesTheTextFile) {
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    PropertyBagFile file;
    PropertyBag& box = file.bag("DecValueTXT");
    box.append("Flag", QVariant(true));
    box.append("NumberBase", QVariant::fromValue<std::uint8_t>(2));
    box.append("Alignment", QVariant::fromValue<std::int16_t>(-3));
    box.append("BackColor", QVariant(static_cast<std::int32_t>(0x80000005)));
    box.append("RWValue", QVariant(0.1f));
    box.append("Value", QVariant(0.1));
    box.append("Text", QVariant(QStringLiteral("tab\there [x]\r\nback\\slash")));
    box.append("Font", QVariant(QFont(QStringLiteral("Arial"), 9, QFont::Bold)));
    box.append("IndicatorBitmap", QVariant(picture));
    box.append("DataFormat", QVariant());
    box.append("NumberBase", QVariant::fromValue<std::uint8_t>(3));
    file.bag("Odd\tName]").append("X", QVariant(1));

    QString error;
    const auto again = PropertyBagFile::fromText(file.toText(), error);
    ASSERT_TRUE(again.has_value()) << error.toStdString();
    ASSERT_EQ(again->sections().size(), 2u);
    const PropertyBag& back = *again->find("DecValueTXT");
    ASSERT_EQ(back.entries().size(), box.entries().size());
    for (std::size_t i = 0; i < box.entries().size(); ++i) {
        const auto& entry = box.entries()[i];
        EXPECT_EQ(back.entries()[i].key, entry.key);
        EXPECT_EQ(back.entries()[i].value.metaType(), entry.value.metaType()) << i;
        if (entry.value.metaType().id() == QMetaType::QImage) {
            EXPECT_EQ(
                back.entries()[i].value.value<QImage>().convertToFormat(QImage::Format_ARGB32),
                picture);
        } else {
            EXPECT_EQ(back.entries()[i].value, entry.value) << entry.key.toStdString();
        }
    }
    EXPECT_NE(again->find("Odd\tName]"), nullptr);
}

TEST(PropertyBagFile, AFileThatCannotBeParsedIsReportedWithItsLine) {
    const struct {
        QString text, where;
    } cases[] = {
        // clang-format off
        {"Key\tLong\t1\n", "line 1"}, {"[A]\nKey\tLong\n", "line 2"},
        {"[A]\nKey\tByte\t256\n", "line 2"}, {"[A]\n\nKey\tBoolean\tyes\n", "line 3"},
        {"[A]\nKey\tString\tbad\\q\n", "line 2"}, {"[A\n", "line 1"},
        {"[A]\nKey\tVariant\t1\n", "line 2"},
        // clang-format on
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(PropertyBagFile::fromText(c.text, error).has_value()) << c.text.toStdString();
        EXPECT_TRUE(error.startsWith(c.where)) << error.toStdString();
    }
}

TEST(PropertyBagFile, SavesAndLoadsAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("window.bags");
    PropertyBagFile file;
    file.bag("QVSTXT1").append("Text", QVariant(QStringLiteral("12")));
    QString error;
    ASSERT_TRUE(file.save(path, error)) << error.toStdString();
    const auto loaded = PropertyBagFile::load(path, error);
    ASSERT_TRUE(loaded.has_value()) << error.toStdString();
    EXPECT_EQ(*loaded, file);
    EXPECT_FALSE(PropertyBagFile::load(dir.filePath("missing"), error).has_value());
    EXPECT_TRUE(error.contains("missing"));
    EXPECT_FALSE(file.save(dir.filePath("no/such/dir/x"), error));
}
