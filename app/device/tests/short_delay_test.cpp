#include "app/device/short_delay.h"

#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

using namespace trelvane;
using vsq::platform::VirtualTime;

TEST(ShortDelay, YieldsUntilThirtyMillisecondsHavePassedOrTheProgramIsQuitting) {
    VirtualTime time(0.001);
    time.clock().set(86399.99); // late in the day: no midnight, no float coarseness
    ShortDelay();
    EXPECT_NEAR(vsq::platform::secondsNow(), 86399.99 + 0.03, 0.0011);
    EXPECT_GE(time.yields(), 29u);
    EXPECT_LE(time.yields(), 31u);
    EXPECT_EQ(time.noInputYields(), 0u);

    const auto yieldsBefore = time.yields();
    vsq::platform::requestQuit();
    ShortDelay();
    EXPECT_EQ(time.yields(), yieldsBefore) << "the program's end ends the wait at once";
    vsq::platform::clearQuitRequest();
}
