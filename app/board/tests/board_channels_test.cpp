#include "app/board/board_channels.h"

#include <gtest/gtest.h>

namespace trelvane::board {
namespace {

TEST(BoardChannels, TimerPeriodWithThreeDecimalsWhileMovingAndTwoAfterAReadBack) {
    const struct {
        int position;
        const char* moving;
        const char* readBack;
    } rows[] = {{0, "7.773 ms", "7.77 ms"},
                {1, "41.261 ms", "41.26 ms"},
                {128, "4294.273 ms", "4294.27 ms"},
                {255, "8547.285 ms", "8547.28 ms"}};
    for (const auto& row : rows) {
        EXPECT_EQ(wdiPeriodText(row.position, 3), row.moving);
        EXPECT_EQ(wdiPeriodText(row.position, 2), row.readBack);
    }
}

TEST(BoardChannels, RoundingGoesHalfToEvenAndDropsTheSignOfZero) {
    EXPECT_EQ(roundedText(0.0625, 3), "0.062");
    EXPECT_EQ(roundedText(0.1875, 3), "0.188");
    EXPECT_EQ(roundedText(-0.0001, 3), "0");
    EXPECT_EQ(dacWord(1023.9), 0x23FF) << "the whole part";
    EXPECT_EQ(dacWord(1024), 0x2000) << "ten bits";
}

} // namespace
} // namespace trelvane::board
