#include "app/device/short_delay.h"

#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

using namespace trelvane;
using vsq::platform::VirtualTime;

TEST(ShortDelay, YieldsUntilThirtyMillisecondsHavePassed) {
    VirtualTime time(0.001);
    time.clock().set(86399.99); // late in the day: no midnight, no float coarseness
    ShortDelay();
    EXPECT_NEAR(vsq::platform::secondsNow(), 86399.99 + 0.03, 0.0011);
    EXPECT_GE(time.yields(), 29u);
    EXPECT_LE(time.yields(), 31u);
    EXPECT_EQ(time.noInputYields(), 0u);
}

TEST(ShortDelay, EndsAtOnceWhenTheProgramIsQuitting) {
    VirtualTime time(0.001);
    vsq::platform::requestQuit();
    ShortDelay();
    EXPECT_EQ(time.yields(), 0u);
    vsq::platform::clearQuitRequest();
}
