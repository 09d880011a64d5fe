#include "app/device/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace trelvane;

TEST(Conversions, RoundsHalvesToEven) {
    struct Case {
        double value;
        std::int32_t rounded;
    };
    for (const Case c : {Case{2.5, 2}, Case{3.5, 4}, Case{-0.5, 0}, Case{-1.5, -2}, Case{0.49, 0},
                         Case{63488.5, 63488}, Case{63489.5, 63490}, Case{-2147483648.0, INT32_MIN},
                         Case{2147483647.0, INT32_MAX}}) {
        EXPECT_EQ(roundToInt32(c.value), c.rounded) << c.value;
    }
}

// Bytes go from 0 to 255, rounded numbers over the signed 32-bit range.
TEST(Conversions, ToByteAndRoundingRaiseOverflowOutsideTheirRange) {
    EXPECT_EQ(toByte(0), 0);
    EXPECT_EQ(toByte(255), 255);
    EXPECT_THROW(toByte(256), Overflow);
    EXPECT_THROW(toByte(-1), Overflow);
    for (const double value :
         {2147483648.0, -2147483649.0, 3e10, std::numeric_limits<double>::quiet_NaN(),
          std::numeric_limits<double>::infinity()})
        EXPECT_THROW(roundToInt32(value), Overflow) << value;
}
