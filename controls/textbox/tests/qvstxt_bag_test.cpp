#include "controls/textbox/tests/qvstxt_fixture.h"

#include <QTemporaryDir>

using namespace quiltane;
using vsq::controls::PropertyBag;

TEST_F(QvstxtTest, ThePropertyBagRoundTripsThroughTheWindowFile) {
    box.setMaxNibbles(4);
    box.setNumberBase(Hex4);
    box.setText("1f");
    box.setDisplayUpdateIndicator(true);
    box.setAlignment(0);
    box.setBackColor(0x00C0C0C0);
    box.setToolTipText("Hex value");
    QTemporaryDir dir;
    const QString path = dir.filePath("window.bags");
    QString error;
    ASSERT_TRUE(host.isDirty());
    ASSERT_TRUE(host.save(path, error)) << error.toStdString();
    EXPECT_FALSE(host.isDirty());

    const auto file = vsq::controls::PropertyBagFile::load(path, error);
    ASSERT_TRUE(file.has_value());
    const PropertyBag& bag = *file->find("QVSTXT1");
    EXPECT_EQ(bag.readAll("MaxNibbles").size(), 2u);
    for (const char* placeholder : {"DataFormat", "Value", "Error", "IndicatorBitmap"}) {
        EXPECT_FALSE(bag.contains(placeholder)) << placeholder;
    }
    EXPECT_FALSE(bag.contains("Enabled")); // at its default

    QWidget otherWindow;
    vsq::controls::ControlHost otherHost(otherWindow);
    QVSTXT again(&otherWindow);
    otherHost.add(again, "QVSTXT1");
    ASSERT_TRUE(otherHost.load(path, error)) << error.toStdString();
    EXPECT_EQ(again.NumberBase(), Hex4);
    EXPECT_EQ(again.Text(), QStringLiteral("1F"));
    EXPECT_EQ(again.MaxNibbles(), 4);
    EXPECT_TRUE(again.DisplayUpdateIndicator());
    EXPECT_EQ(again.Alignment(), 0);
    EXPECT_EQ(again.BackColor(), 0x00C0C0C0u);
    EXPECT_EQ(again.ToolTipText(), QStringLiteral("Hex value"));
    EXPECT_EQ(again.Font(), box.Font());
    EXPECT_EQ(again.Value(), 0x1F);
    EXPECT_FALSE(otherHost.isDirty());
}

TEST_F(QvstxtTest, LoadingAssignsValuesAsStored) {
    PropertyBag bag;
    bag.append("NumberBase", QVariant::fromValue<std::uint8_t>(4));
    bag.append("Text", QStringLiteral("XYZ"));
    bag.append("MaxNibbles", QVariant::fromValue<std::uint8_t>(3));
    bag.append("MaxNibbles", QVariant::fromValue<std::uint8_t>(40));
    events.clear();
    box.readProperties(bag);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(box.Text(), QStringLiteral("XYZ")); // not filtered
    EXPECT_EQ(box.MaxNibbles(), 40);              // not clamped; the last entry holds
    EXPECT_EQ(box.Alignment(), 1);                // absent: the default
    // The next text write filters, the next key release tests.
    box.setText(box.Text() + "ab");
    EXPECT_EQ(box.Text(), QStringLiteral("AB"));
}

TEST_F(QvstxtTest, EveryAbsentKeyLoadsItsDefault) {
    const struct {
        const char* name;
        QVariant changed;   // set before loading
        QVariant byDefault; // what an empty bag gives
    } cases[] = {
        // clang-format off
        {"Alignment", 0, 1}, {"Appearance", 0, 1}, {"BackColor", 0x00C0C0C0, 0x80000005u},
        {"BorderStyle", 0, 1}, {"Enabled", false, true}, {"ForeColor", 0x000000FF, 0x80000008u},
        {"MaxLength", 7, 0}, {"Locked", true, false}, {"PasswordChar", QStringLiteral("*"), ""},
        {"ToolTipText", QStringLiteral("tip"), ""}, {"NumberBase", 4, 0},
        {"Text", QStringLiteral("1F"), QStringLiteral("Text1")}, {"MousePointer", 2, 0},
        {"DisplayUpdateIndicator", true, false}, {"MaxNibbles", 5, 2},
        // clang-format on
    };
    for (const auto& c : cases)
        box.dispatchPut(QString::fromLatin1(c.name), c.changed);
    box.readProperties(PropertyBag{});
    for (const auto& c : cases) {
        const QVariant loaded = box.dispatchGet(QString::fromLatin1(c.name));
        if (c.byDefault.typeId() == QMetaType::QString || c.byDefault.typeId() == QMetaType::Bool)
            EXPECT_EQ(loaded, c.byDefault) << c.name;
        else
            EXPECT_EQ(loaded.toLongLong(), c.byDefault.toLongLong()) << c.name;
    }
}
