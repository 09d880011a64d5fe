#include "app/device/register_table.h"
#include "app/device/vsq5540.h"

#include <gtest/gtest.h>

using namespace trelvane;

TEST(VSQ5540, EveryRowRoundTripsThroughTheMap) {
    VSQ5540 map;
    for (const RegisterRow& row : chipRegisterTable()) {
        const std::string name(row.name);
        EXPECT_EQ(map.RegisterAddress(name), static_cast<float>(row.address)) << name;
        EXPECT_EQ(map.RegisterName(row.address), name);
        EXPECT_EQ(map.RegisterDescription(row.address), row.description) << name;
        EXPECT_EQ(map.ReadOnly(row.address), row.readOnly) << name;
        const BitNames bits = row.bitNames.value_or(kDefaultBitNames);
        for (std::uint8_t bit = 0; bit < 8; ++bit) {
            EXPECT_EQ(map.BitDescription(row.address, bit), bits[bit]) << name << " bit " << +bit;
        }
    }
}

TEST(VSQ5540, ReadOnlyExactlyForIdentityAndStatusRegisters) {
    VSQ5540 map;
    for (int address = 0; address <= 0xFF; ++address) {
        const bool expected =
            (address >= 0x93 && address <= 0x95) || (address >= 0xD8 && address <= 0xDF);
        EXPECT_EQ(map.ReadOnly(static_cast<std::uint8_t>(address)), expected) << address;
    }
}

TEST(VSQ5540, GapsAndTestRegistersHaveNoRow) {
    VSQ5540 map;
    std::vector<int> gaps = {0x92, 0x9F};
    for (int block = 0; block < 9; ++block) {
        gaps.push_back(16 * block + 0xE);
        gaps.push_back(16 * block + 0xF);
    }
    for (int base = 0xA0; base <= 0xD0; base += 8) {
        for (int offset = 5; offset < 8; ++offset) {
            gaps.push_back(base + offset);
        }
    }
    for (int address = 0xE0; address <= 0xFF; ++address) {
        gaps.push_back(address);
    }
    EXPECT_EQ(map.RegisterName(0x90), "UPDCFG"); // fills the one-entry cache
    for (int gap : gaps) {
        const auto address = static_cast<std::uint8_t>(gap);
        EXPECT_EQ(map.RegisterName(address), "") << gap;
        EXPECT_EQ(map.RegisterDescription(address), "") << gap;
        EXPECT_FALSE(map.ReadOnly(address)) << gap;
        for (std::uint8_t bit = 0; bit < 9; ++bit) {
            EXPECT_EQ(map.BitDescription(address, bit), "") << gap;
        }
    }
    EXPECT_EQ(map.RegisterName(0x90), "UPDCFG");
}

TEST(VSQ5540, NamesMatchExactlyAndTheEmptyNameIsAMiss) {
    VSQ5540 map;
    EXPECT_EQ(map.RegisterAddress(""), 255.0f);
    // The empty name must not have poisoned address 0.
    EXPECT_EQ(map.RegisterName(0x00), "P1PLBPOLA");
    EXPECT_EQ(map.BitDescription(0x00, 0), "Bit 0");
    for (const char* miss : {" PS1SEL", "PS1SEL ", "Ps1sel", "ps2uvhyst"})
        EXPECT_EQ(map.RegisterAddress(miss), 255.0f) << miss;
    EXPECT_EQ(map.RegisterAddress("PS1SEL"), 188.0f);
    EXPECT_EQ(map.RegisterAddress("PS2UVHYST"), 195.0f);
}

// The register access tool asks by name, then several questions by address;
// answers must not depend on which lookup found the register first.
TEST(VSQ5540, AnswersAgreeWhicheverLookupCameFirst) {
    VSQ5540 map;
    EXPECT_EQ(map.RegisterAddress("UVSTAT"), 216.0f);
    EXPECT_TRUE(map.ReadOnly(0xD8));
    EXPECT_EQ(map.BitDescription(0xD8, 6), "VP4UV");
    EXPECT_EQ(map.BitDescription(0xD8, 8), "");
    EXPECT_EQ(map.RegisterName(0xD8), "UVSTAT");
    EXPECT_EQ(map.RegisterAddress("UVSTAT"), 216.0f);
    EXPECT_EQ(map.BitDescription(0x9C, 200), "");
    EXPECT_EQ(map.RegisterName(0x9C), "WDCFG");
    EXPECT_EQ(map.RegisterName(0xD8), "UVSTAT");
}

TEST(VSQ5540, TheProgramHasOneMap) {
    EXPECT_EQ(&gRegisterMap(), &gRegisterMap());
    EXPECT_EQ(gRegisterMap().RegisterName(0x94), "DEVID");
}
