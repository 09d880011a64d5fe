// The register tree's nodes from the program's register map: count, keys,
// parents, texts, pictures and the keys that stand for no register.

#include "app/device/vsq5540.h"
#include "app/registers/register_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
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

} // namespace
} // namespace trelvane
