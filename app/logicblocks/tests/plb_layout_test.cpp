// Which toggle array holds each bit of a block's registers, walked row by row.

#include "app/logicblocks/plb_layout.h"

#include <gtest/gtest.h>

#include <string>

using namespace trelvane;

TEST(LogicBlockLayout, EachBitHasItsToggleArray) {
    struct Case {
        const RegisterFamily& family;
        int block;
        bool emulateFixedSilicon;
        const char* bits; // bit 0 first, "-" for a bit with no toggle
    };
    // clang-format off
    const Case cases[] = {
        {family::PLBIMKA, 1, false, "PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 2, false, "PLB1F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 3, false, "PLB1F1EN PLB2F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 4, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 5, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 6, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 7, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 8, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB9F1EN"},
        {family::PLBIMKA, 9, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN"},
        {family::PLBPOLA, 4, false, "PLB1F1POL PLB2F1POL PLB3F1POL PLB5F1POL PLB6F1POL PLB7F1POL PLB8F1POL PLB9F1POL"},
        {family::PLBIMKB, 6, false, "PLB1F2EN PLB2F2EN PLB3F2EN PLB4F2EN PLB5F2EN PLB7F2EN PLB8F2EN PLB9F2EN"},
        {family::PLBPOLB, 9, false, "PLB1F2POL PLB2F2POL PLB3F2POL PLB4F2POL PLB5F2POL PLB6F2POL PLB7F2POL PLB8F2POL"},
        {family::SFDIMKA, 9, false, "VB1F1EN VB2F1EN VHF1EN VP1F1EN VP2F1EN VP3F1EN VP4F1EN -"},
        {family::SFDPOLA, 3, false, "VB1F1POL VB2F1POL VHF1POL VP1F1POL VP2F1POL VP3F1POL VP4F1POL -"},
        {family::SFDIMKB, 5, false, "VB1F2EN VB2F2EN VHF2EN VP1F2EN VP2F2EN VP3F2EN VP4F2EN -"},
        {family::SFDPOLB, 1, false, "VB1F2POL VB2F2POL VHF2POL VP1F2POL VP2F2POL VP3F2POL VP4F2POL -"},
        {family::GPIPOL, 1, false, "GPI1F2POL GPI2F2POL GPI3F2POL GPI4F2POL GPI1F1POL GPI2F1POL GPI3F1POL GPI4F1POL"},
        {family::GPIIMK, 5, false, "GPI1F2EN GPI2F2EN GPI3F2EN GPI4F2EN GPI1F1EN GPI2F1EN GPI3F1EN GPI4F1EN"},
        {family::GPIPOL, 1, true, "GPI4F2POL GPI3F2POL GPI2F2POL GPI1F2POL GPI4F1POL GPI3F1POL GPI2F1POL GPI1F1POL"},
        {family::GPIIMK, 9, true, "GPI4F2EN GPI3F2EN GPI2F2EN GPI1F2EN GPI4F1EN GPI3F1EN GPI2F1EN GPI1F1EN"},
        {family::WDICFG, 9, false, "WDILF2EN WDILF2POL WDIPF2EN WDIPF2POL WDILF1EN WDILF1POL WDIPF1EN WDIPF1POL"},
        {family::SEN, 4, false, "F2EN F1EN PLBOutEN - - - - -"},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::string bits;
        for (int bit = 0; bit < 8; ++bit) {
            const std::string_view array =
                arrayOfBit(c.family, c.block, bit, c.emulateFixedSilicon);
            bits += (bit ? " " : "") + (array.empty() ? std::string("-") : std::string(array));
        }
        EXPECT_EQ(bits, c.bits) << "block " << c.block;
    }
}
