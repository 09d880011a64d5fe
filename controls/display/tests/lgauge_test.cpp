#include "controls/display/lgauge.h"
#include "controls/display/tests/display_test_support.h"

#include <QTest>
#include <array>
#include <gtest/gtest.h>

using namespace vsq::display;

namespace {

// Set up like the supply-fault limits: 0..255, pointer 0 above, pointer 1
// below, pointers 2 and 3 bands.
struct LGaugeTest : ::testing::Test {
    LGaugeTest() {
        gauge.resize(300, gauge.sizeHint().height());
        gauge.setMax(255);
        gauge.setPointerCount(4);
        const std::int16_t styles[] = {MarkerAbove, MarkerBelow, BandPointer, BandPointer};
        for (std::int16_t p = 0; p < 4; ++p) {
            gauge.setPointerIndex(p);
            gauge.setPointerStyle(styles[p]);
            gauge.setPointerLowerEnd(100);
            gauge.setPointerUpperEnd(180);
        }
        setValue(0, 180);
        setValue(1, 100);
        QObject::connect(&gauge, &LGauge::PointerMoving, [this] {
            events << QStringLiteral("Moving %1").arg(gauge.PointerIndex());
        });
        QObject::connect(&gauge, &LGauge::PointerMoved, [this] {
            events << QStringLiteral("Moved %1").arg(gauge.PointerIndex());
        });
    }
    void setValue(std::int16_t pointer, double value) {
        gauge.setPointerIndex(pointer);
        gauge.setPointerValue(value);
    }
    double value(std::int16_t pointer) {
        gauge.setPointerIndex(pointer);
        return gauge.PointerValue();
    }
    QPoint at(double value, int pointer) const {
        return QPointF(gauge.xForValue(value), gauge.grip(pointer).y()).toPoint();
    }
    LGauge gauge;
    QStringList events;
};

} // namespace

TEST_F(LGaugeTest, EveryMemberByItsDispatchNumber) {
    const QString caption = QStringLiteral("Error, input must occur before rising edge");
    const QString tip = QStringLiteral("Drag the pointers to change the limits");
    expectMembers(gauge, {{200, -20, -20.0}, {201, 1500, 1500.0}, {202, 3, std::int16_t{3}}});
    expectMembers(gauge, {{38, 1, std::int16_t{1}}, {51, 1100, 1100.0}, {47, 500, 500.0}});
    expectMembers(gauge, {{48, 900.5, 900.5}, {203, 2, std::int16_t{2}}});
    expectMembers(gauge, {{204, 0x0000C0, 0x0000C0u}, {205, 7, std::int16_t{7}}});
    expectMembers(gauge, {{3, 6, std::int16_t{6}}, {10, 600, 600.0}, {11, 1500, 1500.0}});
    expectMembers(gauge, {{206, 0xE0E0E0, 0xE0E0E0u}, {207, 40, std::int16_t{40}}});
    expectMembers(gauge, {{208, 5, std::int16_t{5}}, {-518, caption, caption}, {209, true, true}});
    expectMembers(gauge, {{210, tip, tip}, {211, 0.5, 0.5}});
    // Each number reaches its own member, not its neighbour's.
    EXPECT_EQ((std::array{gauge.Min(), gauge.Max(), gauge.PointerLowerEnd(),
                          gauge.PointerUpperEnd(), gauge.BandLowerEnd(), gauge.BandUpperEnd()}),
              (std::array{-20.0, 1500.0, 500.0, 900.5, 600.0, 1500.0}));
    EXPECT_TRUE(events.isEmpty()); // nothing set from code raises an event
}

TEST_F(LGaugeTest, ValuesAreKeptWithinTheScale) {
    const struct {
        vsq::controls::DispatchId id; // written on pointer 2 or band 0
        double written, read;
    } cases[] = {
        {51, 300, 255}, {51, -5, 0}, {47, -1, 0}, {48, 256, 255}, {10, -7, 0}, {11, 1e6, 255},
    };
    gauge.setBandCount(1);
    gauge.setPointerIndex(2);
    for (const auto& c : cases) {
        gauge.dispatchPut(c.id, c.written);
        EXPECT_EQ(gauge.dispatchGet(c.id).toDouble(), c.read) << c.id << " " << c.written;
    }
    gauge.setMax(150); // the scale shrinks: values follow
    EXPECT_EQ(value(0), 150);
    EXPECT_EQ(gauge.PointerUpperEnd(), 150);
}

TEST_F(LGaugeTest, IndexesCountsStylesAndPercentagesOutsideTheirRangeFail) {
    const std::function<void()> calls[] = {
        // clang-format off
        [&] { gauge.setPointerIndex(4); }, [&] { gauge.setPointerIndex(-1); },
        [&] { gauge.setBandIndex(1); }, [&] { gauge.setPointerCount(17); },
        [&] { gauge.setBandCount(-1); }, [&] { gauge.setPointerStyle(3); },
        [&] { gauge.BandLowerEnd(); }, [&] { gauge.setStep(0); },
        [&] { gauge.setPointerColor(0x01000000); },
        // clang-format on
    };
    for (const auto& call : calls) {
        EXPECT_EQ(failureOf(call), 380);
    }
    gauge.setBandCount(1);
    gauge.setBandIndex(0);
    EXPECT_EQ(failureOf([&] { gauge.setBandTop(101); }), 380);
    EXPECT_EQ(failureOf([&] { gauge.setBandHeight(-1); }), 380);
}

// Fewer pointers than the current one, or the one a drag holds: the current
// pointer is the last one left, and the drag ends; a design read ends it too.
TEST_F(LGaugeTest, LoweringThePointerCountKeepsTheCurrentPointerInside) {
    gauge.setPointerIndex(3);
    gauge.setPointerCount(3);
    EXPECT_EQ(gauge.PointerIndex(), 2);
    const QPoint band = at(140, 2), marker = at(100, 1), away = at(170, 2);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, band); // the band, now the last
    gauge.setPointerCount(2);
    QTest::mouseMove(&gauge, away);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, away);
    EXPECT_EQ(gauge.PointerIndex(), 1);
    EXPECT_EQ(gauge.PointerValue(), 100);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, marker);
    gauge.readProperties({}); // one pointer
    QTest::mouseMove(&gauge, away);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(LGaugeTest, DraggingAMarkerReportsItWhileAndAfterTheMove) {
    gauge.setPointerIndex(3); // the drag selects what it moves
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(180, 0));
    QTest::mouseMove(&gauge, at(200, 0));
    QTest::mouseMove(&gauge, at(220, 0));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(220, 0));
    EXPECT_EQ(events, (QStringList{"Moving 0", "Moving 0", "Moved 0"}));
    EXPECT_NEAR(value(0), 220, 1);
    EXPECT_EQ(value(0), std::round(value(0)));
}

TEST_F(LGaugeTest, AHandlerThatHoldsAPointerBackIsObeyedAndTheEventsStillNameTheMovedOne) {
    // Like the limits tool: the over-voltage pointer never goes below the
    // under-voltage one, and the handler selects other pointers as it works.
    QObject::connect(&gauge, &LGauge::PointerMoving, [this] {
        if (gauge.PointerIndex() == 0 && value(0) < value(1)) {
            setValue(0, value(1));
        }
        gauge.setPointerIndex(3);
    });
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(180, 0));
    QTest::mouseMove(&gauge, at(50, 0));
    EXPECT_EQ(value(0), 100);
    QTest::mouseMove(&gauge, at(150, 0));
    EXPECT_NEAR(value(0), 150, 1);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(150, 0));
    EXPECT_EQ(events.last(), QStringLiteral("Moved 0"));
}

TEST_F(LGaugeTest, ABandIsDraggedAsAWholeAndStopsAtTheScaleEnds) {
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(140, 3));
    QTest::mouseMove(&gauge, at(170, 3));
    gauge.setPointerIndex(3);
    EXPECT_NEAR(gauge.PointerLowerEnd(), 130, 1);
    EXPECT_EQ(gauge.PointerUpperEnd() - gauge.PointerLowerEnd(), 80);
    QTest::mouseMove(&gauge, at(255, 3));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(255, 3));
    gauge.setPointerIndex(3);
    EXPECT_EQ(gauge.PointerUpperEnd(), 255);
    EXPECT_EQ(gauge.PointerLowerEnd(), 175);
    EXPECT_EQ(events.last(), QStringLiteral("Moved 3")); // the topmost band under the mouse
}

TEST_F(LGaugeTest, KeysAndTheWheelMoveThePointerLastTakenHoldOfByOneStep) {
    const struct {
        int key; // 0: one wheel notch away
        double expected;
    } cases[] = {
        {Qt::Key_Right, 101},  {Qt::Key_Up, 101},      {Qt::Key_Left, 99}, {Qt::Key_Down, 99},
        {Qt::Key_PageUp, 110}, {Qt::Key_PageDown, 90}, {0, 101},
    };
    setValue(1, 100);
    QTest::mouseClick(&gauge, Qt::LeftButton, {}, at(100, 1)); // takes hold, moves nothing
    EXPECT_TRUE(events.isEmpty());
    for (const auto& c : cases) {
        setValue(1, 100);
        events.clear();
        pressKeyOrTurnWheel(gauge, c.key);
        EXPECT_EQ(value(1), c.expected) << c.key;
        EXPECT_EQ(events, (QStringList{"Moving 1", "Moved 1"})) << c.key;
    }
}

TEST_F(LGaugeTest, ALockedGaugeIgnoresTheUser) {
    gauge.setLocked(true);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(180, 0));
    QTest::mouseMove(&gauge, at(220, 0));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(220, 0));
    QTest::keyClick(&gauge, Qt::Key_Right);
    turnWheel(gauge, 1);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(value(0), 180);
}

TEST_F(LGaugeTest, AbsentBagKeysReadAsTheDefaultsAndADesignComesBack) {
    gauge.setBandCount(2);
    gauge.setBandIndex(1);
    gauge.setBandLowerEnd(20);
    gauge.setBandTop(40);
    vsq::controls::PropertyBag bag;
    gauge.writeProperties(bag);
    LGauge copy;
    copy.readProperties(bag);
    copy.setPointerIndex(1);
    copy.setBandIndex(1);
    expectReads(copy, {{"Max", 255}, {"PointerCount", 4}, {"PointerStyle", MarkerBelow}});
    expectReads(copy, {{"PointerValue", 100}, {"BandLowerEnd", 20}, {"BandUpperEnd", 255}});
    expectReads(copy, {{"BandTop", 40}});

    copy.readProperties(vsq::controls::PropertyBag{});
    expectReads(copy, {{"Min", 0}, {"Max", 100}, {"PointerCount", 1}, {"BandCount", 0}});
    expectReads(copy, {{"PointerValue", 0}, {"Locked", false}});

    expectAStoredMaxBelowMinShrinksTheScaleToMin(copy, "Pointer0Value", "PointerValue");
}

// Two markers within grab distance of one click: the one on the side of the
// click is taken, whichever is nearer; on equal terms the nearer one.
TEST_F(LGaugeTest, OfTwoMarkersWithinReachTheClickTakesTheOneOnItsSide) {
    const struct {
        double above, below, click;
        int side; // the pointer whose grip row is clicked: 0 above, 1 below
        int taken;
    } cases[] = {
        {140, 140, 140, 0, 0}, {140, 140, 140, 1, 1}, {140, 142, 142, 0, 0},
        {142, 140, 142, 1, 1}, {140, 141, 141, 0, 0},
    };
    for (const auto& c : cases) {
        setValue(0, c.above);
        setValue(1, c.below);
        events.clear();
        QTest::mousePress(&gauge, Qt::LeftButton, {}, at(c.click, c.side));
        QTest::mouseMove(&gauge, at(c.click + 30, c.side));
        QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(c.click + 30, c.side));
        ASSERT_FALSE(events.isEmpty()) << c.above << " " << c.below << " " << c.side;
        EXPECT_EQ(events.last(), QStringLiteral("Moved %1").arg(c.taken))
            << c.above << " " << c.below << " " << c.side;
        EXPECT_EQ(value(1 - c.taken), c.taken == 0 ? c.below : c.above);
    }
}
