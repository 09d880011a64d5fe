// What a click on each kind of tree node points the register panel at.

#include "app/device/vsq5540.h"
#include "app/registers/register_selection.h"
#include "app/registers/register_tree.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace trelvane {
namespace {

class RegisterSelectionTest : public ::testing::Test {
protected:
    std::optional<PanelSetup> click(const std::string& key, const std::string& text = "") {
        return SetUpForNode(key, text, 0x5C, map);
    }
    VSQ5540 map;
};

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts)
        all += text + ",";
    return all;
}

TEST_F(RegisterSelectionTest, EveryBoardChipRegisterHasItsDeviceShapePointerAndMask) {
    struct Row {
        const char* key;
        int device, type, pointer, mask;
    };
    // clang-format off
    const Row rows[] = {
        {"U5VoutA", 0x18, 1, 0x21, 0xFC00}, {"U5VoutB", 0x18, 1, 0x22, 0xFC00},
        {"U5VoutC", 0x18, 1, 0x24, 0xFC00}, {"U5VoutD", 0x18, 1, 0x28, 0xFC00},
        {"U6VoutA", 0x1A, 1, 0x21, 0xFC00}, {"U6VoutB", 0x1A, 1, 0x22, 0xFC00},
        {"U6VoutC", 0x1A, 1, 0x24, 0xFC00}, {"U6VoutD", 0x1A, 1, 0x28, 0xFC00},
        {"U12TempValue", 0x50, 1, 0, 0xFFFF}, {"U12Configuration1", 0x50, 0, 1, 0},
        {"U12THyst", 0x50, 1, 2, 0x7F}, {"U12TOTI", 0x50, 1, 3, 0x7F},
        {"U12ADC", 0x50, 1, 4, 0xFFFF}, {"U12Configuration2", 0x50, 0, 5, 0x3F},
        {"U13TempValue", 0x52, 1, 0, 0xFFFF}, {"U13Configuration1", 0x52, 0, 1, 0},
        {"U13THyst", 0x52, 1, 2, 0x7F}, {"U13TOTI", 0x52, 1, 3, 0x7F},
        {"U13ADC", 0x52, 1, 4, 0xFFFF}, {"U13Configuration2", 0x52, 0, 5, 0x3F},
        {"U14TempValue", 0x54, 1, 0, 0xFFFF}, {"U14Configuration1", 0x54, 0, 1, 0},
        {"U14THyst", 0x54, 1, 2, 0x7F}, {"U14TOTI", 0x54, 1, 3, 0x7F},
        {"U14ADC", 0x54, 1, 4, 0xFFFF}, {"U14Configuration2", 0x54, 0, 5, 0x3F},
        {"U2", 0x90, 2, 0, 0}, {"U21", 0x58, 0, 0, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        const auto setup = click(row.key);
        ASSERT_TRUE(setup) << row.key;
        EXPECT_EQ(setup->deviceAddress, row.device) << row.key;
        EXPECT_EQ(setup->communicationsType, row.type) << row.key;
        EXPECT_EQ(setup->addressPointer, row.pointer) << row.key;
        EXPECT_EQ(setup->readOnlyBitMask, row.mask) << row.key;
        EXPECT_EQ(setup->details, row.key);
        EXPECT_FALSE(setup->copyManagerAddress) << row.key;
        EXPECT_EQ(setup->bitTexts.size(), 16u);
        EXPECT_EQ(setup->bitTexts[15], "Bit 15");
        const bool configuration2 = std::string(row.key).ends_with("Configuration2");
        EXPECT_EQ(setup->notApplicableBits, configuration2 ? 6 : 0) << row.key;
    }
}

TEST_F(RegisterSelectionTest, GroupNodesAndSpareKeysSetNothingUp) {
    for (const char* key : {"Eval Board", "ByFunction", "U12", "U5", "PFI", "U3", "PLB4",
                            "EEPROMConfig", "TestRegisters", "FaultStatus"})
        EXPECT_FALSE(click(key)) << key;
}

TEST_F(RegisterSelectionTest, EEPROMBytesAndTestRegistersAreReadAtTheChip) {
    struct Case {
        const char* key;
        const char* text;
        int type;
        float pointer;
        const char* details;
    };
    const Case cases[] = {
        {"EEPROMConfig 5", "F8,5h Config EEPROM (P1GPIPOL)", 3, 63493,
         "F8,5h Config EEPROM (P1GPIPOL). Note:The appropriate EEPROM address space must be "
         "erased before writes."},
        {"EEPROMUser 255", "F9,FFh User EEPROM", 3, 63999,
         "F9,FFh User EEPROM. Note:The appropriate EEPROM address space must be erased before "
         "writes."},
        {"TestReg232TRIM_EEPG_LOCK", "E8h TRIM_EEPG_LOCK", 0, 232,
         "E8h TRIM_EEPG_LOCK. Note: This is a test register and should not be modified in any "
         "way."},
    };
    for (const Case& c : cases) {
        const auto setup = click(c.key, c.text);
        ASSERT_TRUE(setup) << c.key;
        EXPECT_TRUE(setup->copyManagerAddress);
        EXPECT_EQ(setup->communicationsType, c.type) << c.key;
        EXPECT_EQ(setup->deviceAddress, 0x5C);
        EXPECT_EQ(setup->addressPointer, c.pointer) << c.key;
        EXPECT_EQ(setup->readOnlyBitMask, 0);
        EXPECT_EQ(setup->details, c.details);
        EXPECT_EQ(joined(setup->bitTexts), "Bit 0,Bit 1,Bit 2,Bit 3,Bit 4,Bit 5,Bit 6,Bit 7,");
    }
}

TEST_F(RegisterSelectionTest, AChipRegisterTakesItsAddressNameAndReadOnlyMaskFromTheMap) {
    const auto status = click("UVSTAT ");
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->copyManagerAddress);
    EXPECT_EQ(status->addressPointer, 0xD8);
    EXPECT_EQ(status->readOnlyBitMask, 255);
    EXPECT_TRUE(status->details.starts_with("UVSTAT: ")) << status->details;
    EXPECT_EQ(click("P1PLBPOLA")->readOnlyBitMask, 0);
}

// Every leaf of the tree sets up the register its text names; a function-view
// leaf sets up exactly what its twin under "By Register" does.
TEST_F(RegisterSelectionTest, EveryLeafReadsTheRegisterItsTextNames) {
    std::map<std::string, PanelSetup> byRegister;
    int leaves = 0;
    for (const RegisterTreeNode& node : RegisterTreeNodes(map)) {
        const auto setup = click(node.key, node.text);
        if (node.image != NodeImage::ReadWrite) {
            EXPECT_FALSE(setup && node.image == NodeImage::Folder) << node.key;
            continue;
        }
        ASSERT_TRUE(setup) << node.key;
        ++leaves;
        if (node.parentKey.starts_with("U") || node.parentKey.starts_with("EEPROM"))
            continue;
        char address[8];
        std::snprintf(address, sizeof address, "%Xh ",
                      static_cast<unsigned>(setup->addressPointer));
        EXPECT_TRUE(node.text.starts_with(address)) << node.key;
        if (node.parentKey == "ByRegister")
            byRegister[node.key] = *setup;
        else if (node.parentKey != "TestRegisters") {
            const PanelSetup& twin = byRegister.at(node.key.substr(0, node.key.find(' ')));
            EXPECT_EQ(setup->addressPointer, twin.addressPointer) << node.key;
            EXPECT_EQ(setup->details, twin.details) << node.key;
            EXPECT_EQ(setup->readOnlyBitMask, twin.readOnlyBitMask) << node.key;
            EXPECT_EQ(setup->bitTexts, twin.bitTexts) << node.key;
        }
    }
    EXPECT_EQ(leaves, 183 + 8 + 35 + 4 + 108 + 9 + 9 + 512 + 26 + 26);
}

} // namespace
} // namespace trelvane
