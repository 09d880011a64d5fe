// The waits that pace the bus: yield counts, the monotonic clock, the quit flag.

#include "comms/bus_state.h"
#include "comms/bus_timing.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "simulated_board.h"

#include <gtest/gtest.h>

using namespace brisendal;
using vsq::platform::VirtualTime;
using BusTiming = brisendal::testing::FreshBus;

TEST_F(BusTiming, RelativeDelaysYieldCeilDelayTimesWithoutUserInput) {
    VirtualTime time;
    auto& s = busState();
    s.RelativeDelayOn = true;
    // The last delay, 2^24 + 10, is one a float counter never gets to.
    const struct {
        float delay;
        std::uint64_t yields;
    } cases[] = {
        {0.0f, 0}, {-2.0f, 0}, {0.5f, 1}, {1.0f, 1}, {2.5f, 3}, {7.0f, 7}, {16777226.0f, 16777226}};
    for (const auto& c : cases) {
        const auto before = time.yields();
        s.Delay = c.delay;
        BitDelay();
        EXPECT_EQ(time.yields() - before, c.yields) << c.delay;
        s.FrameDelay = c.delay;
        WaitFrameDelay();
        EXPECT_EQ(time.yields() - before, 2 * c.yields) << c.delay;
    }
    EXPECT_EQ(time.noInputYields(), time.yields());
}

TEST_F(BusTiming, AbsoluteDelaysRunOnTheMonotonicClockAcrossMidnight) {
    VirtualTime time(0.001);
    auto& s = busState();
    for (const float none : {0.0f, -1.0f}) {
        s.Delay = none;
        BitDelay();
    }
    EXPECT_EQ(time.yields(), 0u);

    time.clock().set(86399.995); // five milliseconds before midnight
    s.Delay = 0.01f;
    BitDelay();
    EXPECT_GE(vsq::platform::secondsNow(), 86399.995 + 0.01);
    EXPECT_LE(time.yields(), 11u);
    EXPECT_EQ(time.noInputYields(), time.yields());
}

TEST_F(BusTiming, EveryWaitEndsWhenTheProgramQuits) {
    VirtualTime time(0.0); // time stands still: only the quit flag can end these
    auto& s = busState();
    int yields = 0;
    auto previous = vsq::platform::setYieldHook([&](vsq::platform::YieldMode) {
        if (++yields == 5)
            vsq::platform::requestQuit();
    });
    s.Delay = 1.0f;
    BitDelay();
    s.RelativeDelayOn = true;
    s.FrameDelay = 1e30f;
    WaitFrameDelay();
    WaitUntil(vsq::platform::secondsNow(), 100.0);
    EXPECT_EQ(yields, 5);
    vsq::platform::setYieldHook(previous);
    vsq::platform::clearQuitRequest();
}
