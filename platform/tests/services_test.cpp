#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// A wait sleeps through the wait hook (here: an event wakes it every 1/128 s),
// short waits and waits without a hook yield, and `done` ends a wait early.
TEST(Services, WaitUntilSleepsThroughTheWaitHookAndKeepsItsDeadline) {
    struct Case {
        double length;
        bool hook;
        int doneAfter; // passes before `done` holds; -1: never
        int sleeps;
        std::uint64_t yields;
        bool ended;
    };
    const Case cases[] = {
        {0.03125, true, -1, 4, 0, false},
        {0.0019, true, -1, 0, 2, false}, // under 2 ms: yields of 1 ms each
        {0.002, true, -1, 1, 0, false},
        {0.030, false, -1, 0, 30, false},
        {0.03125, true, 2, 2, 0, true},
        {-1.0, true, -1, 0, 0, false},
    };
    for (const Case& c : cases) {
        VirtualTime time(0.001);
        int sleeps = 0;
        int passes = 0;
        if (c.hook)
            setWaitHook([&](YieldMode mode, double seconds) {
                EXPECT_EQ(mode, YieldMode::NoUserInput);
                ++sleeps;
                time.clock().advance(std::min(seconds, 0.0078125));
            });
        const double deadline = secondsNow() + c.length;
        const bool ended =
            waitUntil(deadline, YieldMode::NoUserInput, [&] { return passes++ == c.doneAfter; });
        EXPECT_EQ(ended, c.ended) << c.length;
        EXPECT_EQ(sleeps, c.sleeps) << c.length;
        EXPECT_EQ(time.yields(), c.yields) << c.length;
        // A wait that was not ended early lasts to its deadline.
        EXPECT_GE(secondsNow(), c.ended ? 0.0 : deadline) << c.length;
    }
    EXPECT_FALSE(setWaitHook({})); // installing a yield hook dropped it

    VirtualTime time(0.001);
    requestQuit();
    EXPECT_FALSE(waitUntil(secondsNow() + 1.0));
    EXPECT_EQ(time.yields(), 0u) << "the program's end ends a wait at once";
    clearQuitRequest();
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
    setRandomSource([] { return -0.25; });
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
