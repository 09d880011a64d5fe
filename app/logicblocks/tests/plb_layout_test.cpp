// Which toggle array holds each bit of each block's registers: the layout
// tables walked row by row.

#include "app/logicblocks/plb_layout.h"

#include <gtest/gtest.h>

#include <string>

using namespace trelvane;

namespace {

// The arrays of bits 0 to 7, joined by blanks ("-" for a bit with none).
std::string bitsOf(const RegisterFamily& family, int block, bool emulateFixedSilicon = false) {
    std::string text;
    for (int bit = 0; bit < 8; ++bit) {
        const std::string_view array = arrayOfBit(family, block, bit, emulateFixedSilicon);
        text += (bit ? " " : "") + (array.empty() ? std::string("-") : std::string(array));
    }
    return text;
}

} // namespace

TEST(LogicBlockLayout, OtherBlockBitsSkipTheBlockItself) {
    const char* rows[] = {
        "PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB3F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB7F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB8F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB9F1EN",
        "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN",
    };
    for (int block = 1; block <= 9; ++block)
        EXPECT_EQ(bitsOf(family::PLBIMKA, block), rows[block - 1]) << "block " << block;
    EXPECT_EQ(bitsOf(family::PLBPOLB, 9),
              "PLB1F2POL PLB2F2POL PLB3F2POL PLB4F2POL PLB5F2POL PLB6F2POL PLB7F2POL PLB8F2POL");
}

TEST(LogicBlockLayout, EachFamilyHasItsRegisterAndBits) {
    struct Case {
        const RegisterFamily& family;
        int block;
        int address;
        bool emulateFixedSilicon;
        const char* bits;
    };
    const Case cases[] = {
        {family::PLBPOLA, 2, 0x10, false,
         "PLB1F1POL PLB3F1POL PLB4F1POL PLB5F1POL PLB6F1POL PLB7F1POL PLB8F1POL PLB9F1POL"},
        {family::PLBIMKB, 5, 0x49, false,
         "PLB1F2EN PLB2F2EN PLB3F2EN PLB4F2EN PLB6F2EN PLB7F2EN PLB8F2EN PLB9F2EN"},
        {family::PLBPOLB, 1, 0x08, false,
         "PLB2F2POL PLB3F2POL PLB4F2POL PLB5F2POL PLB6F2POL PLB7F2POL PLB8F2POL PLB9F2POL"},
        {family::SFDPOLA, 3, 0x22, false,
         "VB1F1POL VB2F1POL VHF1POL VP1F1POL VP2F1POL VP3F1POL VP4F1POL -"},
        {family::SFDIMKA, 5, 0x43, false,
         "VB1F1EN VB2F1EN VHF1EN VP1F1EN VP2F1EN VP3F1EN VP4F1EN -"},
        {family::SFDPOLB, 2, 0x1A, false,
         "VB1F2POL VB2F2POL VHF2POL VP1F2POL VP2F2POL VP3F2POL VP4F2POL -"},
        {family::SFDIMKB, 5, 0x4B, false,
         "VB1F2EN VB2F2EN VHF2EN VP1F2EN VP2F2EN VP3F2EN VP4F2EN -"},
        {family::GPIPOL, 1, 0x04, false,
         "GPI1F2POL GPI2F2POL GPI3F2POL GPI4F2POL GPI1F1POL GPI2F1POL GPI3F1POL GPI4F1POL"},
        {family::GPIPOL, 1, 0x04, true,
         "GPI4F2POL GPI3F2POL GPI2F2POL GPI1F2POL GPI4F1POL GPI3F1POL GPI2F1POL GPI1F1POL"},
        {family::GPIIMK, 9, 0x85, false,
         "GPI1F2EN GPI2F2EN GPI3F2EN GPI4F2EN GPI1F1EN GPI2F1EN GPI3F1EN GPI4F1EN"},
        {family::GPIIMK, 9, 0x85, true,
         "GPI4F2EN GPI3F2EN GPI2F2EN GPI1F2EN GPI4F1EN GPI3F1EN GPI2F1EN GPI1F1EN"},
        {family::WDICFG, 9, 0x86, false,
         "WDILF2EN WDILF2POL WDIPF2EN WDIPF2POL WDILF1EN WDILF1POL WDIPF1EN WDIPF1POL"},
        {family::SEN, 4, 0x37, false, "F2EN F1EN PLBOutEN - - - - -"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(registerAddress(c.family, c.block), c.address);
        EXPECT_EQ(bitsOf(c.family, c.block, c.emulateFixedSilicon), c.bits) << c.address;
    }
}

// A toggle that is on stands for a 0, except the two function enables of
// PSnEN, on for a 1.
TEST(LogicBlockLayout, ToggleStatesAndBitsFollowEachFamilysConvention) {
    struct Case {
        const RegisterFamily& family;
        int bit;
        std::uint8_t value;
        bool on;
        std::uint8_t bitWhenOn;
        std::uint8_t bitWhenOff;
    };
    const Case cases[] = {
        {family::PLBIMKA, 7, 0x80, false, 0x00, 0x80}, {family::PLBIMKA, 7, 0x7F, true, 0x00, 0x80},
        {family::SFDPOLB, 0, 0xFE, true, 0x00, 0x01},  {family::SEN, 0, 0x01, true, 0x01, 0x00},
        {family::SEN, 1, 0xFD, false, 0x02, 0x00},     {family::SEN, 2, 0x04, false, 0x00, 0x04},
        {family::SEN, 2, 0xFB, true, 0x00, 0x04},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toggleOn(c.family, c.bit, c.value), c.on) << c.bit << " " << int(c.value);
        EXPECT_EQ(bitValue(c.family, c.bit, true), c.bitWhenOn);
        EXPECT_EQ(bitValue(c.family, c.bit, false), c.bitWhenOff);
    }
}
