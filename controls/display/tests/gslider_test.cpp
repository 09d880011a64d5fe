#include "controls/display/gslider.h"
#include "controls/display/tests/display_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

using vsq::display::GSlider;

namespace {

struct GSliderTest : ::testing::Test {
    GSliderTest() {
        slider.resize(300, 24);
        QObject::connect(&slider, &GSlider::Moving,
                         [this] { events << QStringLiteral("Moving %1").arg(slider.Position()); });
        QObject::connect(&slider, &GSlider::Moved,
                         [this] { events << QStringLiteral("Moved %1").arg(slider.Position()); });
    }
    QPoint at(double position) const { return slider.thumbCentre(position).toPoint(); }
    GSlider slider;
    QStringList events;
};

} // namespace

TEST_F(GSliderTest, EveryMemberByItsDispatchNumber) {
    const QString zero = QStringLiteral("0"), title = QStringLiteral("VB1 Input :"),
                  tip = QStringLiteral("Fine Tune");
    expectMembers(slider, {{201, 1023, 1023.0}, {200, 0, 0.0}, {45, 512, 512.0}});
    expectMembers(slider, {{-518, zero, zero}, {60, 1, 1.0}, {202, title, title}});
    expectMembers(slider, {{203, 1, std::int16_t{1}}});
    expectMembers(slider, {{204, tip, tip}, {205, 64, 64.0}, {206, 90, std::int32_t{90}}});
    EXPECT_TRUE(events.isEmpty()); // a position set from code raises nothing
}

TEST_F(GSliderTest, ThePositionIsKeptWithinTheScale) {
    const struct {
        double min, max, position, expected;
    } cases[] = {
        {0, 937, 1000, 937},
        {0, 937, -5, 0},
        {0, 31, 31, 31},
        {10, 20, 15.5, 15.5}, // code may set a fraction
    };
    for (const auto& c : cases) {
        slider.setMin(c.min);
        slider.setMax(c.max);
        slider.setPosition(c.position);
        EXPECT_EQ(slider.Position(), c.expected) << c.position;
    }
    slider.setMax(12);
    EXPECT_EQ(slider.Position(), 12);
    slider.setMin(40); // past Max: Max follows
    EXPECT_EQ(slider.Max(), 40);
    EXPECT_EQ(slider.Position(), 40);
    EXPECT_EQ(failureOf([&] { slider.setStep(0); }), 380);
    EXPECT_EQ(failureOf([&] { slider.setLargeStep(-1); }), 380);
    EXPECT_EQ(failureOf([&] { slider.setOrientation(2); }), 380);
    EXPECT_EQ(failureOf([&] { slider.setTitleWidth(-1); }), 380);
}

TEST_F(GSliderTest, ATitleWidthLinesUpTheTracksOfDifferentTitles) {
    GSlider other;
    for (GSlider* s : {&slider, &other}) {
        s->resize(400, 30);
        s->setTitleWidth(120);
    }
    slider.setTitle(QStringLiteral("VB1 Input :"));
    other.setTitle(QStringLiteral("VH"));
    EXPECT_EQ(slider.thumbCentre(slider.Min()), other.thumbCentre(other.Min()));
    other.setTitleWidth(0);
    EXPECT_LT(other.thumbCentre(other.Min()).x(), slider.thumbCentre(slider.Min()).x());
}

TEST_F(GSliderTest, KeysAndTheWheelMoveByStepsWithBothEvents) {
    const struct {
        int key; // 0: the wheel, one notch away
        double expected;
    } cases[] = {
        {Qt::Key_Right, 11}, {Qt::Key_Up, 11},     {Qt::Key_Left, 9},
        {Qt::Key_Down, 9},   {Qt::Key_PageUp, 20}, {Qt::Key_PageDown, 0},
        {Qt::Key_Home, 0},   {Qt::Key_End, 31},    {0, 11},
    };
    slider.setMax(31);
    for (const auto& c : cases) {
        slider.setPosition(10);
        events.clear();
        pressKeyOrTurnWheel(slider, c.key);
        EXPECT_EQ(events, (QStringList{QStringLiteral("Moving %1").arg(c.expected),
                                       QStringLiteral("Moved %1").arg(c.expected)}))
            << c.key;
    }
    slider.setPosition(31);
    events.clear();
    QTest::keyClick(&slider, Qt::Key_End); // already there
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(GSliderTest, ADragFollowsOnWholeStepsAndEndsWithOneMoved) {
    slider.setMax(1023);
    slider.setPosition(100);
    QTest::mousePress(&slider, Qt::LeftButton, {}, at(100));
    EXPECT_TRUE(events.isEmpty()); // grabbing the thumb moves nothing
    QTest::mouseMove(&slider, at(400));
    QTest::mouseMove(&slider, at(512));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, at(512));
    ASSERT_EQ(events.size(), 3);
    EXPECT_TRUE(events[0].startsWith(QStringLiteral("Moving ")));
    EXPECT_EQ(events.last(), QStringLiteral("Moved %1").arg(slider.Position()));
    EXPECT_NEAR(slider.Position(), 512, 4); // within a pixel's worth of codes
    EXPECT_EQ(slider.Position(), std::round(slider.Position()));

    // A click on the track jumps there; Moved comes with the release.
    events.clear();
    QTest::mousePress(&slider, Qt::LeftButton, {}, at(900));
    EXPECT_EQ(events.size(), 1);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, at(900));
    EXPECT_EQ(events.size(), 2);
    EXPECT_NEAR(slider.Position(), 900, 4);
}

TEST_F(GSliderTest, AbsentBagKeysReadAsTheDefaults) {
    slider.setMax(31);
    slider.setPosition(7);
    slider.setStep(5);
    slider.readProperties(vsq::controls::PropertyBag{});
    expectReads(slider, {{"Min", 0}, {"Max", 100}, {"Position", 0}, {"Step", 1}});
    expectReads(slider, {{"LargeStep", 10}, {"Orientation", 0}, {"Caption", QString()}});

    expectAStoredMaxBelowMinShrinksTheScaleToMin(slider, "Position", "Position");
}

// A click lands on a whole step exactly, in either orientation: Min at the
// left, or Min at the bottom when vertical.
TEST_F(GSliderTest, AClickSnapsToTheNearestWholeStepInEitherOrientation) {
    const struct {
        std::int16_t orientation;
        double step, target, expected;
    } cases[] = {
        {0, 25, 500, 500},  {0, 100, 900, 900}, {0, 100, 0, 0},     {0, 100, 1023, 1000},
        {1, 25, 500, 500},  {1, 100, 900, 900}, {1, 100, 0, 0},     {1, 100, 1023, 1000},
        {1, 100, 240, 200}, {1, 100, 260, 300}, {0, 100, 240, 200}, {0, 100, 260, 300},
    };
    slider.setMax(1023);
    for (const auto& c : cases) {
        slider.setOrientation(c.orientation);
        slider.resize(c.orientation ? QSize(60, 300) : QSize(300, 24));
        slider.setStep(c.step);
        slider.setPosition(c.target == 0 ? 1000 : 0);
        QTest::mouseClick(&slider, Qt::LeftButton, {}, at(c.target));
        EXPECT_EQ(slider.Position(), c.expected) << c.orientation << " " << c.target;
    }
}
