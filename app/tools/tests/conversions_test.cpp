#include "app/tools/block_registers.h"
#include "app/tools/supply_fault_ranges.h"

#include <gtest/gtest.h>

namespace trelvane {
namespace {

TEST(SupplyFaultRanges, EachRangeTextGivesItsLowEndAndSpan) {
    struct Row {
        const char* text;
        float lowEnd, span;
    };
    const Row rows[] = {
        {"0.6V to 1.8V", 0.6f, 1.2f},  {"1V to 3V", 1.0f, 2.0f}, {"2V to 6V", 2.0f, 4.0f},
        {"4.8V to 14.4V", 4.8f, 9.6f}, {"", 0.0f, 0.0f},         {"N/A", 0.0f, 0.0f},
    };
    for (const Row& row : rows) {
        EXPECT_FLOAT_EQ(RangeLowEnd(row.text), row.lowEnd) << row.text;
        EXPECT_FLOAT_EQ(RangeSpan(row.text), row.span) << row.text;
    }
}

TEST(SupplyFaultRanges, ThresholdCodesShowAsVoltsWithThreeDecimals) {
    struct Row {
        int code;
        const char* range;
        const char* volts;
    };
    const Row rows[] = {
        {0, "4.8V to 14.4V", "4.8"},    {255, "4.8V to 14.4V", "14.4"},
        {128, "0.6V to 1.8V", "1.202"}, {128, "1V to 3V", "2.004"},
        {102, "2V to 6V", "3.6"},       {64, "2V to 6V", "3.004"},
        {0, "1V to 3V", "1"},           {200, "", "0"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(voltsText(thresholdVolts(row.code, row.range)), row.volts)
            << row.code << " " << row.range;
}

TEST(SupplyFaultRanges, HysteresisCodesShowAsWholeMillivolts) {
    struct Row {
        int code;
        const char* range;
        int millivolts;
    };
    const Row rows[] = {
        {1, "0.6V to 1.8V", 5}, {31, "0.6V to 1.8V", 146}, {31, "4.8V to 14.4V", 1167},
        {31, "2V to 6V", 486},  {0, "2V to 6V", 0},        {31, "", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(hysteresisMillivolts(row.code, row.range), row.millivolts)
            << row.code << " " << row.range;
}

TEST(SupplyFaultRanges, RangeListsFollowTheKindAndTheEmulateOption) {
    EXPECT_EQ(rangeEntries(SupplyInputKind::Positive, true),
              QStringList({"2V to 6V", "1V to 3V", "0.6V to 1.8V"}));
    EXPECT_EQ(rangeEntries(SupplyInputKind::Positive, false),
              QStringList({"1V to 3V", "2V to 6V", "0.6V to 1.8V"}));
    for (bool emulate : {false, true}) {
        EXPECT_EQ(rangeEntries(SupplyInputKind::Bipolar, emulate),
                  QStringList({"1V to 3V", "2V to 6V"}));
        EXPECT_EQ(rangeEntries(SupplyInputKind::HighVoltage, emulate),
                  QStringList({"2V to 6V", "4.8V to 14.4V"}));
    }
}

TEST(DriverOutputCodes, EveryPullUpAndModeCodeShowsItsEntry) {
    // Pull-up codes in bits 3-0 read as 0 to 15, modes in bits 6-4.
    const int pullUps[16] = {0, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 12, 10, 11};
    for (int code = 0; code < 16; ++code)
        EXPECT_EQ(pullUpIndex(static_cast<std::uint8_t>(0xF0 | code)), pullUps[code]) << code;
    const int modes[8] = {0, 1, 2, 3, 4, 5, 5, 5};
    for (int mode = 0; mode < 8; ++mode)
        EXPECT_EQ(driverModeIndex(static_cast<std::uint8_t>(mode << 4 | 0x8F)), modes[mode])
            << mode;
}

TEST(DriverOutputCodes, EachPairOfEntriesWritesItsCodes) {
    const int pullUpCodes[13] = {0x0, 0x2, 0x4, 0x5, 0x6, 0x7, 0x8, 0x9, 0xA, 0xB, 0xE, 0xF, 0x0};
    for (int pullUp = 0; pullUp < 13; ++pullUp)
        EXPECT_EQ(PDOConfigValue(0, pullUp), pullUpCodes[pullUp]) << pullUp;
    const int modeBits[6] = {0x00, 0x10, 0x20, 0x30, 0x40, 0x00};
    for (int mode = 0; mode < 6; ++mode)
        EXPECT_EQ(PDOConfigValue(mode, 0), modeBits[mode]) << mode;
    EXPECT_EQ(PDOConfigValue(3, 3), 0x35);
}

TEST(BlockRegisters, BlocksAndInputsFindTheirRegisters) {
    const int delays[9] = {0x0C, 0x1C, 0x2C, 0x3C, 0x4C, 0x5C, 0x6C, 0x7C, 0x8C};
    const int outputs[9] = {0x0D, 0x1D, 0x2D, 0x3D, 0x4D, 0x5D, 0x6D, 0x7D, 0x8D};
    for (int block = 0; block < 9; ++block) {
        EXPECT_EQ(PDBTIMAddress(block), delays[block]);
        EXPECT_EQ(PDOCFGAddress(block), outputs[block]);
    }
    const int plain[4] = {0x98, 0x99, 0x9A, 0x9B};
    const int emulated[4] = {0x9B, 0x9A, 0x99, 0x98};
    for (int input = 0; input < 4; ++input) {
        EXPECT_EQ(GPIConfigAddress(input, false), plain[input]);
        EXPECT_EQ(GPIConfigAddress(input, true), emulated[input]);
    }
}

TEST(BlockRegisters, PullUpEntryOneNamesVfetOnlyOnTheFirstFourOutputs) {
    for (int output = 0; output < 9; ++output)
        EXPECT_EQ(pullUpEntries(output)[1], output < 4 ? "Vfet" : "N/A") << output;
}

} // namespace
} // namespace trelvane
