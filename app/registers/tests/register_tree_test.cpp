// The register tree's nodes from the program's register map: count, keys,
// parents, texts, pictures and the keys that stand for no register; and what a
// click on each kind of node points the register panel at.

#include "app/device/vsq5540.h"
#include "app/registers/register_selection.h"
#include "app/registers/register_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace trelvane {
namespace {

class RegisterTreeTest : public ::testing::Test {
protected:
    RegisterTreeTest() : nodes(RegisterTreeNodes(map)) {
        for (const RegisterTreeNode& node : nodes)
            byKey[node.key] = &node;
    }
    // What a click on the node of `key` sets the panel up for, the manager at 0x5C.
    std::optional<PanelSetup> click(const std::string& key, const std::string& text = "") {
        return SetUpForNode(key, text, 0x5C, map);
    }
    std::size_t children(const std::string& key) const {
        return std::count_if(nodes.begin(), nodes.end(),
                             [&](const RegisterTreeNode& node) { return node.parentKey == key; });
    }

    VSQ5540 map;
    std::vector<RegisterTreeNode> nodes;
    std::map<std::string, const RegisterTreeNode*> byKey;
};

TEST_F(RegisterTreeTest, HasItsNodesUnderDistinctKeysWithTheirChildCounts) {
    EXPECT_EQ(nodes.size(), 956u);
    EXPECT_EQ(byKey.size(), 956u);
    // clang-format off
    const std::pair<const char*, std::size_t> counts[] = {
        {"", 1}, {"Eval Board", 8}, {"VSQ5540", 5}, {"ByRegister", 183}, {"ByFunction", 6},
        {"FaultStatus", 8}, {"SFD", 7}, {"SFD1", 5}, {"SFD7", 5}, {"GPIs", 4}, {"PLB", 9},
        {"PLB1", 12}, {"PLB9", 12}, {"PDB", 9}, {"PDOs", 9}, {"EEPROMConfig", 256},
        {"EEPROMUser", 256}, {"TestRegisters", 26}, {"U5", 4}, {"U6", 4}, {"U12", 6},
        {"U14", 6}, {"U2", 0}, {"U21", 0},
    };
    // clang-format on
    for (const auto& [key, count] : counts)
        EXPECT_EQ(children(key), count) << key;
}

TEST_F(RegisterTreeTest, NodesCarryTheirTextsAndPictures) {
    struct Case {
        const char* key;
        const char* parent;
        const char* text;
        NodeImage image;
    };
    const Case cases[] = {
        {"Eval Board", "", "Eval Board", NodeImage::Desktop},
        {"VSQ5540", "Eval Board", "VSQ5540", NodeImage::Chip},
        {"P1SFDPOLB", "ByRegister", "Ah P1SFDPOLB", NodeImage::ReadWrite},
        {"BS1SEL ", "SFD1", "A4h BS1SEL", NodeImage::ReadWrite},
        {"P1PDBTIM  ", "PDB", "Ch P1PDBTIM", NodeImage::ReadWrite},
        {"P2PDOCFG   ", "PDOs", "1Dh P2PDOCFG", NodeImage::ReadWrite},
        {"P3PDOCFG    ", "PDOs", "2Dh P3PDOCFG", NodeImage::ReadWrite},
        {"SFD3", "SFD", "HV", NodeImage::Folder},
        {"EEPROMConfig 223", "EEPROMConfig", "F8,DFh Config EEPROM (PDOSTAT2)",
         NodeImage::ReadWrite},
        {"EEPROMConfig 255", "EEPROMConfig", "F8,FFh Config EEPROM ()", NodeImage::ReadWrite},
        {"EEPROMUser 31", "EEPROMUser", "F9,1Fh User EEPROM", NodeImage::ReadWrite},
        {"U13THyst", "U13", "THyst Set-Point", NodeImage::ReadWrite},
        {"U21", "Eval Board", "U21, QR1174 Digital Pot.", NodeImage::Chip},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(byKey.count(c.key)) << '"' << c.key << '"';
        const RegisterTreeNode& node = *byKey.at(c.key);
        EXPECT_EQ(node.parentKey, c.parent) << c.key;
        EXPECT_EQ(node.text, c.text) << c.key;
        EXPECT_EQ(node.image, c.image) << c.key;
    }
}

TEST_F(RegisterTreeTest, AnAddressWithoutARegisterHasNoNode) {
    for (const char* text : {"Eh ", "Fh ", "92h ", "E0h "})
        for (const RegisterTreeNode& node : nodes)
            EXPECT_FALSE(node.text.starts_with(text) && node.parentKey != "TestRegisters")
                << node.key;
}

TEST_F(RegisterTreeTest, TheTestRegistersAreListedByAddressAndName) {
    std::string keys;
    for (const RegisterTreeNode& node : nodes)
        if (node.parentKey == "TestRegisters")
            keys += node.key.substr(7) + "=" + node.text + ";";
    EXPECT_EQ(keys, "224BGTRIM=E0h BGTRIM;225REFTRIM=E1h REFTRIM;226OSCTRIM=E2h OSCTRIM;"
                    "227CLKTRIM=E3h CLKTRIM;228DEVCFG1=E4h DEVCFG1;229DEVCFG2=E5h DEVCFG2;"
                    "231TRIM_RAM_LK=E7h TRIM_RAM_LK;232TRIM_EEPG_LOCK=E8h TRIM_EEPG_LOCK;"
                    "233TDOWNLOAD=E9h TDOWNLOAD;234ATEST1=EAh ATEST1;235DACTEST1=EBh DACTEST1;"
                    "236DACTEST2=ECh DACTEST2;237TCNTRL3=EDh TCNTRL3;240PLBATEST1=F0h PLBATEST1;"
                    "241PLBATEST2=F1h PLBATEST2;242TESTMODES=F2h TESTMODES;243TCNTRL1=F3h TCNTRL1;"
                    "244TCNTRL2=F4h TCNTRL2;245EETEST1=F5h EETEST1;246EETEST2=F6h EETEST2;"
                    "247EETEST3=F7h EETEST3;248EEPROM(U)=F8h EEPROM(U);249EEPROM(R)=F9h EEPROM(R);"
                    "252BLKWR=FCh BLKWR;253BLKRD=FDh BLKRD;254BLKER=FEh BLKER;");
}

TEST_F(RegisterTreeTest, NonRegisterKeysAreTheGroupAndBoardChipNodesAndTwoSpares) {
    const auto& table = NonRegisterKeyTable();
    EXPECT_EQ(table[0], "Eval Board");
    EXPECT_EQ(table[46], "TestRegisters");
    EXPECT_EQ(table[63], "FaultStatus");
    EXPECT_EQ(std::set<std::string_view>(table.begin(), table.end()).size(), 64u);
    std::set<std::string> expected{"PFI", "U3"};
    for (const RegisterTreeNode& node : nodes)
        if (node.image != NodeImage::ReadWrite || node.parentKey.starts_with("U"))
            expected.insert(node.key);
    EXPECT_EQ(std::set<std::string>(table.begin(), table.end()), expected);
}

using RegisterSelectionTest = RegisterTreeTest;

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
    for (const RegisterTreeNode& node : nodes) {
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
