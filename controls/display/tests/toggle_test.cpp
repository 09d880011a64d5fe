#include "controls/display/tests/display_test_support.h"
#include "controls/display/toggle.h"

#include <QTest>
#include <gtest/gtest.h>

using vsq::display::Toggle;

namespace {

struct ToggleTest : ::testing::Test {
    ToggleTest() {
        toggle.resize(60, 20);
        QObject::connect(&toggle, &Toggle::Flipped, [this] { flips << toggle.State(); });
    }
    Toggle toggle;
    QList<bool> flips; // State as each Flipped found it
};

} // namespace

TEST_F(ToggleTest, EveryMemberByItsDispatchNumber) {
    expectMembers(toggle,
                  {
                      {25, true, true},
                      {25, 0, false},
                      {200, 2, std::int16_t{2}},
                      {201, QStringLiteral("Ein"), QStringLiteral("Ein")},
                      {202, QStringLiteral("Aus"), QStringLiteral("Aus")},
                      {203, QStringLiteral("Click To Change"), QStringLiteral("Click To Change")},
                  });
    EXPECT_EQ(toggle.dispatchIdOf("State"), 25);
    EXPECT_EQ(failureOf([&] { toggle.dispatchPut(200, 3); }), 380);
    EXPECT_EQ(failureOf([&] { toggle.dispatchPut(200, -1); }), 380);
    EXPECT_TRUE(flips.isEmpty()); // code-set states raise nothing
}

TEST_F(ToggleTest, TheUsersFlipRaisesFlippedWithTheNewStateAlreadyHeld) {
    QTest::mouseClick(&toggle, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(&toggle, Qt::Key_Space);
    QTest::keyClick(&toggle, Qt::Key_Return);
    EXPECT_EQ(flips, (QList<bool>{true, false, true}));

    // A press that ends outside the switch, and other keys, flip nothing.
    QTest::mousePress(&toggle, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&toggle, Qt::LeftButton, {}, QPoint(200, 10));
    QTest::keyClick(&toggle, Qt::Key_A);
    EXPECT_EQ(flips.size(), 3);
    EXPECT_TRUE(toggle.State());
}

TEST_F(ToggleTest, AbsentBagKeysReadAsTheDefaultsAndSetOnesComeBack) {
    vsq::controls::PropertyBag empty;
    toggle.setState(true);
    toggle.setFace(vsq::display::PolarityFace);
    toggle.readProperties(empty);
    EXPECT_FALSE(toggle.State());
    EXPECT_EQ(toggle.Face(), vsq::display::SwitchFace);
    EXPECT_EQ(toggle.OnText(), QStringLiteral("On"));
    EXPECT_EQ(toggle.OffText(), QStringLiteral("Off"));

    toggle.setState(true);
    toggle.setFace(vsq::display::EnableFace);
    toggle.setToolTipText(QStringLiteral("Click To Change"));
    vsq::controls::PropertyBag bag;
    toggle.writeProperties(bag);
    Toggle copy;
    copy.readProperties(bag);
    EXPECT_TRUE(copy.State());
    EXPECT_EQ(copy.Face(), vsq::display::EnableFace);
    EXPECT_EQ(copy.ToolTipText(), QStringLiteral("Click To Change"));
    EXPECT_FALSE(bag.contains("OnText")); // defaults are not kept
}
