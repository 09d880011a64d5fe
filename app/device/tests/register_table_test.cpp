#include "app/device/register_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace trelvane;

namespace {

const RegisterRow* rowAt(std::uint8_t address) {
    const auto& table = chipRegisterTable();
    auto it = std::find_if(table.begin(), table.end(),
                           [&](const RegisterRow& row) { return row.address == address; });
    return it == table.end() ? nullptr : &*it;
}

BitNames bitsOf(const RegisterRow& row) {
    return row.bitNames.value_or(kDefaultBitNames);
}

} // namespace

TEST(RegisterTable, RowsComeInLoadOrder) {
    const auto& table = chipRegisterTable();
    struct Expected {
        std::size_t row;
        std::uint8_t address;
        std::string_view name;
    };
    // The logic blocks' rows 0-107: see LogicBlockRowsFollowTheirFamilies.
    for (const Expected& e : {Expected{108, 0x90, "UPDCFG"}, Expected{110, 0x93, "MANID"},
                              Expected{116, 0x9E, "ERRMASK2"}, Expected{117, 0xA0, "BS1OVTH"},
                              Expected{127, 0xB0, "HSOVTH"}, Expected{151, 0xD4, "PS4SEL"},
                              Expected{152, 0xD8, "UVSTAT"}, Expected{159, 0xDF, "PDOSTAT2"},
                              Expected{160, 0x0C, "P1PDBTIM"}, Expected{168, 0x8C, "P9PDBTIM"},
                              Expected{169, 0x0D, "P1PDOCFG"}, Expected{177, 0x8D, "P9PDOCFG"},
                              Expected{178, 0x9C, "WDCFG"}, Expected{179, 0x98, "GPI1CFG"},
                              Expected{182, 0x9B, "GPI4CFG"}}) {
        EXPECT_EQ(table[e.row].address, e.address) << e.row;
        EXPECT_EQ(table[e.row].name, e.name) << e.row;
    }
}

// Each logic block's twelve registers sit at the block's window, in the
// family order, and their descriptions end in the block number.
TEST(RegisterTable, LogicBlockRowsFollowTheirFamilies) {
    const std::string_view families[12] = {"P#PLBPOLA", "P#PLBIMKA", "P#SFDPOLA", "P#SFDIMKA",
                                           "P#GPIPOL",  "P#GPIIMK",  "P#WDICFG",  "PS#EN",
                                           "P#PLBPOLB", "P#PLBIMKB", "P#SFDPOLB", "P#SFDIMKB"};
    const auto& table = chipRegisterTable();
    for (int block = 1; block <= 9; ++block) {
        for (int k = 0; k < 12; ++k) {
            const RegisterRow& row = table[12 * (block - 1) + k];
            std::string name(families[k]);
            name.replace(name.find('#'), 1, std::to_string(block));
            EXPECT_EQ(row.name, name);
            EXPECT_EQ(row.address, 16 * (block - 1) + k) << name;
            const RegisterRow& sameInBlock1 = table[k];
            std::string description(sameInBlock1.description);
            description.back() = static_cast<char>('0' + block);
            EXPECT_EQ(row.description, description) << name;
            EXPECT_EQ(bitsOf(row), bitsOf(sameInBlock1)) << name;
        }
        EXPECT_EQ(table[160 + block - 1].description, table[160].description);
        EXPECT_EQ(bitsOf(table[169 + block - 1]), bitsOf(table[169]));
    }
    EXPECT_EQ(table[0].description,
              "Polarity Sense for all 8 other PLB outputs when used as inputs to the A "
              "function of PLB1");
}

TEST(RegisterTable, DescriptionsKeepTheirExactText) {
    const std::string rightQuote = "\xE2\x80\x99"; // U+2019
    struct Expected {
        std::uint8_t address;
        std::string description;
    };
    for (const Expected& e : {
             Expected{0x33, "Ignore Mask for all 7 SFD inputs (HV, 2 BV, 4 PV" + rightQuote +
                                "s) to the A function of PLB4"},
             Expected{0x85, "Polarity Sense and Ignore Mask bits for all 4 GPI" + rightQuote +
                                "s when used as inputs to the B function of PLB9"},
             Expected{0x66, "Polarity Sense and Ignore Mask bits for the pulsed and latched "
                            "outputs of the watchdog detector when used as inputs to both A and "
                            "B functions of PLB7"},
             Expected{0x87, "Enable bits for A and B functions of PLB9"},
             Expected{0x4D, "Selects output format (open-drain, open-drain with pull-up "
                            "resistor, charge-pumped, etc"},
             Expected{0x90, "Configuration update control register for changing configuration "
                            "of the VSQ5540 after power-up"},
             Expected{0x91, "Configures pull-down current sources on logic inputs."},
             Expected{0x9D, "Error mask register for 7 SFds"},
             Expected{0x96, "Software Brand"},
             Expected{0x97, "Software Brand"},
             Expected{0xDC, "Fault Registers"},
             Expected{0xDD, "Fault Registers"},
             Expected{0xC3, "Digital Hysteresis on UnderVolt Threshold"},
             Expected{0xDA, "Logic Output (post Fault Type block) on each of the 7 SFDs"},
             Expected{0x9A, "GPI Config"},
         }) {
        const RegisterRow* row = rowAt(e.address);
        ASSERT_NE(row, nullptr) << int(e.address);
        EXPECT_EQ(row->description, e.description) << row->name;
    }
    for (const RegisterRow& row : chipRegisterTable()) {
        EXPECT_EQ(std::string(row.description).find('\''), std::string::npos) << row.name;
    }
}

TEST(RegisterTable, SupplyFaultBlocksShareTheirSuffixTexts) {
    const std::string_view prefixes[7] = {"BS1", "BS2", "HS", "PS1", "PS2", "PS3", "PS4"};
    const std::string_view suffixes[5] = {"OVTH", "OVHYST", "UVTH", "UVHYST", "SEL"};
    for (int block = 0; block < 7; ++block) {
        for (int offset = 0; offset < 5; ++offset) {
            const RegisterRow* row = rowAt(static_cast<std::uint8_t>(0xA0 + 8 * block + offset));
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->name, std::string(prefixes[block]) + std::string(suffixes[offset]));
            EXPECT_EQ(row->description,
                      rowAt(static_cast<std::uint8_t>(0xA0 + offset))->description);
            EXPECT_FALSE(row->bitNames) << row->name;
        }
    }
    EXPECT_EQ(rowAt(0xB4)->description, "Glitch filter, range and fault type setting");
}

TEST(RegisterTable, EveryRowWithNamesOfItsOwnCarriesThemFromBitZero) {
    struct Group {
        std::vector<int> addresses;
        BitNames names;
    };
    const Group groups[] = {
        {{0x00, 0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0x40, 0x48, 0x50, 0x58, 0x60, 0x68, 0x70,
          0x78, 0x80, 0x88},
         {"Bit 0", "Bit 1", "Bit 2", "Bit 3", "Bit 4", "Bit 5", "Bit 6", "Sen9-Sen1"}},
        {{0x0C, 0x1C, 0x2C, 0x3C, 0x4C, 0x5C, 0x6C, 0x7C, 0x8C},
         {"TF 0", "TF 1", "TF 2", "TF 3", "TR 0", "TR 1", "TR 2", "TR 3"}},
        {{0x0D, 0x1D, 0x2D, 0x3D, 0x4D, 0x5D, 0x6D, 0x7D, 0x8D},
         {"CFG 0", "CFG 1", "CFG 2", "CFG 3", "CFG 4", "CFG 5", "CFG 6", "CFG 7"}},
        {{0x90},
         {"UPD", "RAMLD", "EEPROMLD", "EE_ERASE", "Reserved", "Reserved", "Reserved", "Reserved"}},
        {{0x91},
         {"PDENGPI1", "PDENGPI2", "PDENGPI3", "PDENGPI4", "PDENWDI", "PDENA0", "PDENA1",
          "Reserved"}},
        {{0x98, 0x99, 0x9A, 0x9B},
         {"GF 0", "GF 1", "GF 2", "PULS 0", "PULS 1", "INTYP", "INVIN", "Reserved"}},
        {{0x9C},
         {"PER 0", "PER 1", "PER 2", "PULS 0", "PULS 1", "Reserved", "Reserved", "Reserved"}},
        {{0xD8}, {"VB1UV", "VB2UV", "VHUV", "VP1UV", "VP2UV", "VP3UV", "VP4UV", "Reserved"}},
        {{0xD9}, {"VB1OV", "VB2OV", "VHOV", "VP1OV", "VP2OV", "VP3OV", "VP4OV", "Reserved"}},
        {{0xDA}, {"VB1FLT", "VB2FLT", "VHFLT", "VP1FLT", "VP2FLT", "VP3FLT", "VP4FLT", "Reserved"}},
    };
    std::set<int> named;
    for (const Group& group : groups) {
        for (int address : group.addresses) {
            const RegisterRow* row = rowAt(static_cast<std::uint8_t>(address));
            ASSERT_NE(row, nullptr) << address;
            EXPECT_EQ(bitsOf(*row), group.names) << row->name;
            named.insert(address);
        }
    }
    const BitNames plain{"Bit 0", "Bit 1", "Bit 2", "Bit 3", "Bit 4", "Bit 5", "Bit 6", "Bit 7"};
    for (const RegisterRow& row : chipRegisterTable()) {
        EXPECT_EQ(row.bitNames.has_value(), named.count(row.address) == 1) << row.name;
        if (!named.count(row.address)) {
            EXPECT_EQ(bitsOf(row), plain) << row.name;
        }
    }
    EXPECT_EQ(named.size(), 46u);
}

#include "app/device/chip_registers.h"

namespace {

struct NamedAddress {
    std::string_view name;
    std::uint8_t address;
};

// Every named address, by the name it is declared with: a logic block's
// fourteen by the block's number, a supply-fault block's five by its prefix.
// clang-format off
#define NAMED(n) NamedAddress{#n, reg::n}
#define LOGIC_BLOCK(b)                                                                             \
    NAMED(P##b##PLBPOLA), NAMED(P##b##PLBIMKA), NAMED(P##b##SFDPOLA), NAMED(P##b##SFDIMKA),        \
    NAMED(P##b##GPIPOL), NAMED(P##b##GPIIMK), NAMED(P##b##WDICFG), NAMED(PS##b##EN),               \
    NAMED(P##b##PLBPOLB), NAMED(P##b##PLBIMKB), NAMED(P##b##SFDPOLB), NAMED(P##b##SFDIMKB),        \
    NAMED(P##b##PDBTIM), NAMED(P##b##PDOCFG)
#define SUPPLY_FAULT_BLOCK(p)                                                                      \
    NAMED(p##OVTH), NAMED(p##OVHYST), NAMED(p##UVTH), NAMED(p##UVHYST), NAMED(p##SEL)
constexpr NamedAddress kNamedAddresses[] = {
    LOGIC_BLOCK(1), LOGIC_BLOCK(2), LOGIC_BLOCK(3), LOGIC_BLOCK(4), LOGIC_BLOCK(5), LOGIC_BLOCK(6),
    LOGIC_BLOCK(7), LOGIC_BLOCK(8), LOGIC_BLOCK(9),
    NAMED(UPDCFG), NAMED(PDEN), NAMED(MANID), NAMED(DEVID), NAMED(REVID), NAMED(MARK1),
    NAMED(MARK2), NAMED(ERRMASK1), NAMED(ERRMASK2),
    SUPPLY_FAULT_BLOCK(BS1), SUPPLY_FAULT_BLOCK(BS2), SUPPLY_FAULT_BLOCK(HS), SUPPLY_FAULT_BLOCK(PS1),
    SUPPLY_FAULT_BLOCK(PS2), SUPPLY_FAULT_BLOCK(PS3), SUPPLY_FAULT_BLOCK(PS4),
    NAMED(UVSTAT), NAMED(OVSTAT), NAMED(SFDSTAT), NAMED(GWSTAT), NAMED(LATF1), NAMED(LATF21),
    NAMED(PDOSTAT1), NAMED(PDOSTAT2), NAMED(WDCFG), NAMED(GPI1CFG), NAMED(GPI2CFG), NAMED(GPI3CFG),
    NAMED(GPI4CFG),
};
#undef SUPPLY_FAULT_BLOCK
#undef LOGIC_BLOCK
#undef NAMED
// clang-format on

} // namespace

TEST(RegisterTable, EveryNamedAddressMatchesItsRow) {
    std::set<std::string_view> named;
    for (const NamedAddress& entry : kNamedAddresses) {
        const auto& table = chipRegisterTable();
        auto row = std::find_if(table.begin(), table.end(),
                                [&](const RegisterRow& r) { return r.name == entry.name; });
        ASSERT_NE(row, table.end()) << entry.name;
        EXPECT_EQ(row->address, entry.address) << entry.name;
        named.insert(entry.name);
    }
    EXPECT_EQ(named.size(), 183u);
}

namespace {

using reg::field::Field;

// The table's names for the `width` bits from `shift`: "NAME" for each bit, or
// "NAME k" numbered from the field's lowest bit, or from the register's bit 0.
bool namedAsTheTableNamesThem(const Field& field, const BitNames& names) {
    bool plain = true, fromField = true, fromRegister = true;
    for (int bit = field.shift; bit < field.shift + field.width; ++bit) {
        const std::string name(names[bit]);
        const std::string stem = std::string(field.name) + " ";
        plain = plain && name == field.name;
        fromField = fromField && name == stem + std::to_string(bit - field.shift);
        fromRegister = fromRegister && name == stem + std::to_string(bit);
    }
    return (field.width == 1 || field.name == "Reserved") ? plain : fromField || fromRegister;
}

} // namespace

// Each named field lies within its registers' eight bits, no two fields of a
// register share a bit, and where the table names the bits, it names them as
// the field is named; rows with the plain "Bit 0" to "Bit 7" take the names of
// the chip's register descriptions.
TEST(RegisterTable, EveryNamedFieldMatchesTheBitsOfItsRegisters) {
    int checked = 0;
    for (const reg::field::FieldedRegisters& family : reg::field::kFieldedRegisters) {
        for (std::uint8_t address : family.registers) {
            const RegisterRow* row = rowAt(address);
            ASSERT_NE(row, nullptr) << int(address);
            int used = 0;
            for (const Field& field : family.fields) {
                EXPECT_GE(field.width, 1) << row->name << " " << field.name;
                EXPECT_LE(field.shift + field.width, 8) << row->name << " " << field.name;
                EXPECT_EQ(used & field.mask, 0) << row->name << " " << field.name;
                used |= field.mask;
                if (row->bitNames) {
                    EXPECT_TRUE(namedAsTheTableNamesThem(field, *row->bitNames))
                        << row->name << " " << field.name;
                }
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 9 * 2 + 9 * 2 + 9 * 3 + 5 + 7 + 4 * 4 + 2 + 7 * 4 + 7 + 7);
}

TEST(RegisterTable, NamedFieldsCutAndPlaceTheirCodes) {
    namespace f = reg::field;
    struct Case {
        const Field& field;
        std::uint8_t mask;
        int codeIn0xB9;
        std::uint8_t placed5;
    };
    // clang-format off
    for (const Case& c : {
             Case{f::WDCFG::PULS, 0x18, 3, 0x08}, Case{f::WDCFG::PER, 0x07, 1, 0x05},
             Case{f::GPInCFG::INVIN, 0x40, 0, 0x40}, Case{f::GPInCFG::INTYP, 0x20, 1, 0x20},
             Case{f::GPInCFG::GF, 0x07, 1, 0x05},
             Case{f::PnPDBTIM::TR, 0xF0, 11, 0x50}, Case{f::PnPDBTIM::TF, 0x0F, 9, 0x05},
             Case{f::PnPDOCFG::Mode, 0x70, 3, 0x50}, Case{f::PnPDOCFG::PullUp, 0x0F, 9, 0x05},
             Case{f::xxSEL::VBPolarity, 0x80, 1, 0x80}, Case{f::xxSEL::GlitchFilter, 0x70, 3, 0x50},
             Case{f::xxSEL::DetectionRange, 0x0C, 2, 0x04}, Case{f::xxSEL::FaultType, 0x03, 1, 0x01},
             Case{f::xxOVHYST::Hysteresis, 0x1F, 25, 0x05}, Case{f::UPDCFG::Reserved, 0xF0, 11, 0x50},
             Case{f::PDEN::PDENWDI, 0x10, 1, 0x10}, Case{f::PSnEN::PLBOutEN, 0x04, 0, 0x04},
         }) {
        // clang-format on
        EXPECT_EQ(c.field.mask, c.mask) << c.field.name;
        EXPECT_EQ(c.field.get(0xB9), c.codeIn0xB9) << c.field.name;
        EXPECT_EQ(c.field.put(5), c.placed5) << c.field.name;
    }
}
