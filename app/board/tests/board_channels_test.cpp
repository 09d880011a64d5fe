#include "app/board/board_channels.h"

#include <gtest/gtest.h>

namespace trelvane::board {
namespace {

TEST(BoardChannels, EachSliderShowsItsVoltsAndWritesItsWord) {
    const struct {
        int slider;
        int code;
        const char* caption;
        std::uint16_t word;
    } rows[] = {
        {0, 0, "-6", 0x2000},       {0, 512, "0", 0x2200},      {0, 1023, "5.988", 0x23FF},
        {1, 511, "-0.012", 0x21FF}, {1, 1023, "5.988", 0x23FF}, {2, 0, "0", 0x2000},
        {2, 836, "12.001", 0x2344}, {2, 937, "13.451", 0x23A9}, {3, 1023, "5.994", 0x23FF},
        {4, 1, "0.006", 0x2001},    {5, 512, "3", 0x2200},      {6, 1023, "5.994", 0x23FF},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slider);
        EXPECT_EQ(dacCaption(dacSliders()[row.slider], row.code), row.caption) << row.code;
        EXPECT_EQ(dacWord(row.code), row.word);
    }
    EXPECT_EQ(dacWord(1023.9), 0x23FF) << "the whole part";
    EXPECT_EQ(dacWord(1024), 0x2000) << "ten bits";
}

TEST(BoardChannels, AdcWordsInVolts) {
    const struct {
        std::uint16_t word;
        double fullScale;
        double volts;
    } rows[] = {
        {0xFFC0, 5.5, 5.49462890625},
        {0xFFC0, 15, 14.9853515625},
        {0x8000, 5.5, 2.75},
        {0x8000, 15, 7.5},
        {0x0000, 15, 0.0},
        {0x0040, 5.5, 0.00537109375},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(adcVolts(row.word, row.fullScale), row.volts) << row.word;
}

TEST(BoardChannels, TimerPeriodWhileMovingAndAfterAReadBack) {
    const struct {
        int position;
        const char* moving;
        const char* readBack;
    } rows[] = {
        {0, "7.773 ms", "7.77 ms"},
        {1, "41.261 ms", "41.26 ms"},
        {128, "4294.273 ms", "4294.27 ms"},
        {255, "8547.285 ms", "8547.28 ms"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(wdiPeriodText(row.position, 3), row.moving);
        EXPECT_EQ(wdiPeriodText(row.position, 2), row.readBack);
    }
}

TEST(BoardChannels, RoundingGoesHalfToEven) {
    EXPECT_EQ(roundedText(0.0625, 3), "0.062");
    EXPECT_EQ(roundedText(0.1875, 3), "0.188");
    EXPECT_EQ(roundedText(-0.0001, 3), "0");
    EXPECT_EQ(roundedText(2.5, 0), "2");
}

TEST(BoardChannels, SpareLinesKeepTwoAndThreeHigh) {
    const struct {
        std::array<bool, 4> on;
        std::uint8_t bits;
    } rows[] = {
        {{false, false, false, false}, 0x0C}, {{true, false, false, false}, 0x1C},
        {{false, true, false, false}, 0x2C},  {{false, false, true, false}, 0x4C},
        {{false, false, false, true}, 0x8C},  {{true, true, true, true}, 0xFC},
    };
    for (const auto& row : rows)
        EXPECT_EQ(spareLineBits(row.on), row.bits);
}

} // namespace
} // namespace trelvane::board
