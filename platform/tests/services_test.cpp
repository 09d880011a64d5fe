#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

using namespace vsq::platform;

TEST(Services, DefaultYieldDoesNothingAndInstalledHookSeesTheMode) {
    yieldOnce(); // no hook: must simply return
    std::vector<YieldMode> seen;
    auto previous = setYieldHook([&](YieldMode m) { seen.push_back(m); });
    yieldOnce();
    yieldOnce(YieldMode::NoUserInput);
    setYieldHook(previous);
    yieldOnce();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], YieldMode::Normal);
    EXPECT_EQ(seen[1], YieldMode::NoUserInput);
}

TEST(Services, VirtualTimeAdvancesOnYieldsAndRestoresTheRealClock) {
    double realBefore = secondsNow();
    {
        VirtualTime time(0.010);
        EXPECT_EQ(secondsNow(), 0.0);
        for (int i = 0; i < 3; ++i)
            yieldOnce(YieldMode::NoUserInput);
        EXPECT_NEAR(secondsNow(), 0.030, 1e-12);
        EXPECT_EQ(millisecondsNow(), 30);
        EXPECT_EQ(time.yields(), 3u);
        EXPECT_EQ(time.noInputYields(), 3u);
        time.clock().set(86399.99); // no midnight: the clock simply goes on
        yieldOnce();
        EXPECT_GE(secondsNow(), 86400.0);
    }
    EXPECT_GE(secondsNow(), realBefore);
}

TEST(Services, SteadyClockIsMonotonic) {
    double a = secondsNow();
    auto ma = millisecondsNow();
    double b = secondsNow();
    EXPECT_LE(a, b);
    EXPECT_LE(ma, millisecondsNow());
}

TEST(Services, RandomStaysInTheUnitIntervalAndCanBeReplaced) {
    for (int i = 0; i < 1000; ++i) {
        double r = randomUnit();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
    auto previous = setRandomSource([] { return 0.25; });
    EXPECT_EQ(randomUnit(), 0.25);
    setRandomSource([] { return 1.0; }); // out of range sources cannot leak through
    EXPECT_EQ(randomUnit(), 0.0);
    setRandomSource(previous);
}

TEST(Services, QuitFlag) {
    EXPECT_FALSE(quitRequested());
    requestQuit();
    EXPECT_TRUE(quitRequested());
    clearQuitRequest();
    EXPECT_FALSE(quitRequested());
}
