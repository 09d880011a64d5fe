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
    const QString on = QStringLiteral("Ein"), off = QStringLiteral("Aus");
    const QString tip = QStringLiteral("Click To Change");
    expectMembers(toggle, {{25, true, true}, {25, 0, false}, {200, 2, std::int16_t{2}}});
    expectMembers(toggle, {{201, on, on}, {202, off, off}, {203, tip, tip}});
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
    expectReads(toggle, {{"State", false}, {"Face", vsq::display::SwitchFace}});
    expectReads(toggle, {{"OnText", "On"}, {"OffText", "Off"}});

    toggle.setState(true);
    toggle.setFace(vsq::display::EnableFace);
    toggle.setToolTipText(QStringLiteral("Click To Change"));
    vsq::controls::PropertyBag bag;
    toggle.writeProperties(bag);
    Toggle copy;
    copy.readProperties(bag);
    expectReads(copy, {{"State", true}, {"Face", vsq::display::EnableFace}});
    expectReads(copy, {{"ToolTipText", "Click To Change"}});
    EXPECT_FALSE(bag.contains("OnText")); // defaults are not kept
}
