#include "app/logicblocks/plb_layout.h"

#include "app/device/chip_registers.h"

namespace trelvane {

std::uint8_t registerAddress(const RegisterFamily& family, int block) {
    return static_cast<std::uint8_t>(family.firstAddress + kBlockWindowSize * (block - 1));
}

std::string_view arrayOfBit(const RegisterFamily& family, int block, int bit,
                            bool emulateFixedSilicon) {
    switch (family.layout) {
    case BitLayout::OtherBlocks: {
        const int source = bit + 1 < block ? bit + 1 : bit + 2;
        return family.arrays[source - 1];
    }
    case BitLayout::GpiNibbles:
        if (emulateFixedSilicon)
            return family.arrays[(bit & 4) | (3 - (bit & 3))];
        return family.arrays[bit];
    case BitLayout::PerBit:
        break;
    }
    return family.arrays[bit];
}

bool toggleOn(const RegisterFamily& family, int bit, std::uint8_t value) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    return ((value & mask) != 0) == ((family.onWhenSet & mask) != 0);
}

std::uint8_t bitValue(const RegisterFamily& family, int bit, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    return on == ((family.onWhenSet & mask) != 0) ? mask : 0;
}

namespace family {

using enum BitLayout;

// clang-format off
const RegisterFamily PLBIMKA{reg::P1PLBIMKA, OtherBlocks,
    {"PLB1F1EN", "PLB2F1EN", "PLB3F1EN", "PLB4F1EN", "PLB5F1EN", "PLB6F1EN", "PLB7F1EN", "PLB8F1EN", "PLB9F1EN"}};
const RegisterFamily PLBPOLA{reg::P1PLBPOLA, OtherBlocks,
    {"PLB1F1POL", "PLB2F1POL", "PLB3F1POL", "PLB4F1POL", "PLB5F1POL", "PLB6F1POL", "PLB7F1POL", "PLB8F1POL", "PLB9F1POL"}};
const RegisterFamily PLBIMKB{reg::P1PLBIMKB, OtherBlocks,
    {"PLB1F2EN", "PLB2F2EN", "PLB3F2EN", "PLB4F2EN", "PLB5F2EN", "PLB6F2EN", "PLB7F2EN", "PLB8F2EN", "PLB9F2EN"}};
const RegisterFamily PLBPOLB{reg::P1PLBPOLB, OtherBlocks,
    {"PLB1F2POL", "PLB2F2POL", "PLB3F2POL", "PLB4F2POL", "PLB5F2POL", "PLB6F2POL", "PLB7F2POL", "PLB8F2POL", "PLB9F2POL"}};

// Bit 7 of the supply-fault registers stands for nothing: ignored on reading,
// written 0.
const RegisterFamily SFDIMKA{reg::P1SFDIMKA, PerBit,
    {"VB1F1EN", "VB2F1EN", "VHF1EN", "VP1F1EN", "VP2F1EN", "VP3F1EN", "VP4F1EN"}};
const RegisterFamily SFDPOLA{reg::P1SFDPOLA, PerBit,
    {"VB1F1POL", "VB2F1POL", "VHF1POL", "VP1F1POL", "VP2F1POL", "VP3F1POL", "VP4F1POL"}};
const RegisterFamily SFDIMKB{reg::P1SFDIMKB, PerBit,
    {"VB1F2EN", "VB2F2EN", "VHF2EN", "VP1F2EN", "VP2F2EN", "VP3F2EN", "VP4F2EN"}};
const RegisterFamily SFDPOLB{reg::P1SFDPOLB, PerBit,
    {"VB1F2POL", "VB2F2POL", "VHF2POL", "VP1F2POL", "VP2F2POL", "VP3F2POL", "VP4F2POL"}};

// Function A in the high nibble, function B in the low one.
const RegisterFamily GPIPOL{reg::P1GPIPOL, GpiNibbles,
    {"GPI1F2POL", "GPI2F2POL", "GPI3F2POL", "GPI4F2POL", "GPI1F1POL", "GPI2F1POL", "GPI3F1POL", "GPI4F1POL"}};
const RegisterFamily GPIIMK{reg::P1GPIIMK, GpiNibbles,
    {"GPI1F2EN", "GPI2F2EN", "GPI3F2EN", "GPI4F2EN", "GPI1F1EN", "GPI2F1EN", "GPI3F1EN", "GPI4F1EN"}};

const RegisterFamily WDICFG{reg::P1WDICFG, PerBit,
    {"WDILF2EN", "WDILF2POL", "WDIPF2EN", "WDIPF2POL", "WDILF1EN", "WDILF1POL", "WDIPF1EN", "WDIPF1POL"},
    0, true};

// Bits 7-3 are not the window's: ignored on reading, written 0.
const RegisterFamily SEN{reg::PS1EN, PerBit, {"F2EN", "F1EN", "PLBOutEN"},
    reg::field::PSnEN::F2EN.mask | reg::field::PSnEN::F1EN.mask};
// clang-format on

} // namespace family

namespace {
using namespace family;
constexpr std::array kOtherBlockFamilies{&PLBIMKA, &PLBPOLA, &PLBIMKB, &PLBPOLB};
constexpr std::array kSupplyFaultFamilies{&SFDIMKA, &SFDPOLA, &SFDIMKB, &SFDPOLB};
constexpr std::array kGpiFamilies{&GPIPOL, &GPIIMK};
constexpr std::array kWatchdogFamilies{&WDICFG};
constexpr std::array kBlockEnableFamilies{&SEN};
} // namespace

const FamilySet kOtherBlockInputs{kOtherBlockFamilies};
const FamilySet kSupplyFaultInputs{kSupplyFaultFamilies};
const FamilySet kGpiInputs{kGpiFamilies};
const FamilySet kWatchdogInputs{kWatchdogFamilies};
const FamilySet kBlockEnables{kBlockEnableFamilies};

} // namespace trelvane
