#pragma once
// The VSQ5540's register addresses, named as the chip's register table names
// them, and the bit fields of the registers whose bits the program reads or
// composes (reg::field). Code that addresses a chip register or one of its
// fields uses these names, never a bare number; a test checks every name
// against the table.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace trelvane::reg {

// clang-format off
inline constexpr std::uint8_t P1PLBPOLA = 0x00;
inline constexpr std::uint8_t P1PLBIMKA = 0x01;
inline constexpr std::uint8_t P1SFDPOLA = 0x02;
inline constexpr std::uint8_t P1SFDIMKA = 0x03;
inline constexpr std::uint8_t P1GPIPOL = 0x04;
inline constexpr std::uint8_t P1GPIIMK = 0x05;
inline constexpr std::uint8_t P1WDICFG = 0x06;
inline constexpr std::uint8_t PS1EN = 0x07;
inline constexpr std::uint8_t P1PLBPOLB = 0x08;
inline constexpr std::uint8_t P1PLBIMKB = 0x09;
inline constexpr std::uint8_t P1SFDPOLB = 0x0A;
inline constexpr std::uint8_t P1SFDIMKB = 0x0B;
inline constexpr std::uint8_t P2PLBPOLA = 0x10;
inline constexpr std::uint8_t P2PLBIMKA = 0x11;
inline constexpr std::uint8_t P2SFDPOLA = 0x12;
inline constexpr std::uint8_t P2SFDIMKA = 0x13;
inline constexpr std::uint8_t P2GPIPOL = 0x14;
inline constexpr std::uint8_t P2GPIIMK = 0x15;
inline constexpr std::uint8_t P2WDICFG = 0x16;
inline constexpr std::uint8_t PS2EN = 0x17;
inline constexpr std::uint8_t P2PLBPOLB = 0x18;
inline constexpr std::uint8_t P2PLBIMKB = 0x19;
inline constexpr std::uint8_t P2SFDPOLB = 0x1A;
inline constexpr std::uint8_t P2SFDIMKB = 0x1B;
inline constexpr std::uint8_t P3PLBPOLA = 0x20;
inline constexpr std::uint8_t P3PLBIMKA = 0x21;
inline constexpr std::uint8_t P3SFDPOLA = 0x22;
inline constexpr std::uint8_t P3SFDIMKA = 0x23;
inline constexpr std::uint8_t P3GPIPOL = 0x24;
inline constexpr std::uint8_t P3GPIIMK = 0x25;
inline constexpr std::uint8_t P3WDICFG = 0x26;
inline constexpr std::uint8_t PS3EN = 0x27;
inline constexpr std::uint8_t P3PLBPOLB = 0x28;
inline constexpr std::uint8_t P3PLBIMKB = 0x29;
inline constexpr std::uint8_t P3SFDPOLB = 0x2A;
inline constexpr std::uint8_t P3SFDIMKB = 0x2B;
inline constexpr std::uint8_t P4PLBPOLA = 0x30;
inline constexpr std::uint8_t P4PLBIMKA = 0x31;
inline constexpr std::uint8_t P4SFDPOLA = 0x32;
inline constexpr std::uint8_t P4SFDIMKA = 0x33;
inline constexpr std::uint8_t P4GPIPOL = 0x34;
inline constexpr std::uint8_t P4GPIIMK = 0x35;
inline constexpr std::uint8_t P4WDICFG = 0x36;
inline constexpr std::uint8_t PS4EN = 0x37;
inline constexpr std::uint8_t P4PLBPOLB = 0x38;
inline constexpr std::uint8_t P4PLBIMKB = 0x39;
inline constexpr std::uint8_t P4SFDPOLB = 0x3A;
inline constexpr std::uint8_t P4SFDIMKB = 0x3B;
inline constexpr std::uint8_t P5PLBPOLA = 0x40;
inline constexpr std::uint8_t P5PLBIMKA = 0x41;
inline constexpr std::uint8_t P5SFDPOLA = 0x42;
inline constexpr std::uint8_t P5SFDIMKA = 0x43;
inline constexpr std::uint8_t P5GPIPOL = 0x44;
inline constexpr std::uint8_t P5GPIIMK = 0x45;
inline constexpr std::uint8_t P5WDICFG = 0x46;
inline constexpr std::uint8_t PS5EN = 0x47;
inline constexpr std::uint8_t P5PLBPOLB = 0x48;
inline constexpr std::uint8_t P5PLBIMKB = 0x49;
inline constexpr std::uint8_t P5SFDPOLB = 0x4A;
inline constexpr std::uint8_t P5SFDIMKB = 0x4B;
inline constexpr std::uint8_t P6PLBPOLA = 0x50;
inline constexpr std::uint8_t P6PLBIMKA = 0x51;
inline constexpr std::uint8_t P6SFDPOLA = 0x52;
inline constexpr std::uint8_t P6SFDIMKA = 0x53;
inline constexpr std::uint8_t P6GPIPOL = 0x54;
inline constexpr std::uint8_t P6GPIIMK = 0x55;
inline constexpr std::uint8_t P6WDICFG = 0x56;
inline constexpr std::uint8_t PS6EN = 0x57;
inline constexpr std::uint8_t P6PLBPOLB = 0x58;
inline constexpr std::uint8_t P6PLBIMKB = 0x59;
inline constexpr std::uint8_t P6SFDPOLB = 0x5A;
inline constexpr std::uint8_t P6SFDIMKB = 0x5B;
inline constexpr std::uint8_t P7PLBPOLA = 0x60;
inline constexpr std::uint8_t P7PLBIMKA = 0x61;
inline constexpr std::uint8_t P7SFDPOLA = 0x62;
inline constexpr std::uint8_t P7SFDIMKA = 0x63;
inline constexpr std::uint8_t P7GPIPOL = 0x64;
inline constexpr std::uint8_t P7GPIIMK = 0x65;
inline constexpr std::uint8_t P7WDICFG = 0x66;
inline constexpr std::uint8_t PS7EN = 0x67;
inline constexpr std::uint8_t P7PLBPOLB = 0x68;
inline constexpr std::uint8_t P7PLBIMKB = 0x69;
inline constexpr std::uint8_t P7SFDPOLB = 0x6A;
inline constexpr std::uint8_t P7SFDIMKB = 0x6B;
inline constexpr std::uint8_t P8PLBPOLA = 0x70;
inline constexpr std::uint8_t P8PLBIMKA = 0x71;
inline constexpr std::uint8_t P8SFDPOLA = 0x72;
inline constexpr std::uint8_t P8SFDIMKA = 0x73;
inline constexpr std::uint8_t P8GPIPOL = 0x74;
inline constexpr std::uint8_t P8GPIIMK = 0x75;
inline constexpr std::uint8_t P8WDICFG = 0x76;
inline constexpr std::uint8_t PS8EN = 0x77;
inline constexpr std::uint8_t P8PLBPOLB = 0x78;
inline constexpr std::uint8_t P8PLBIMKB = 0x79;
inline constexpr std::uint8_t P8SFDPOLB = 0x7A;
inline constexpr std::uint8_t P8SFDIMKB = 0x7B;
inline constexpr std::uint8_t P9PLBPOLA = 0x80;
inline constexpr std::uint8_t P9PLBIMKA = 0x81;
inline constexpr std::uint8_t P9SFDPOLA = 0x82;
inline constexpr std::uint8_t P9SFDIMKA = 0x83;
inline constexpr std::uint8_t P9GPIPOL = 0x84;
inline constexpr std::uint8_t P9GPIIMK = 0x85;
inline constexpr std::uint8_t P9WDICFG = 0x86;
inline constexpr std::uint8_t PS9EN = 0x87;
inline constexpr std::uint8_t P9PLBPOLB = 0x88;
inline constexpr std::uint8_t P9PLBIMKB = 0x89;
inline constexpr std::uint8_t P9SFDPOLB = 0x8A;
inline constexpr std::uint8_t P9SFDIMKB = 0x8B;
inline constexpr std::uint8_t UPDCFG = 0x90;
inline constexpr std::uint8_t PDEN = 0x91;
inline constexpr std::uint8_t MANID = 0x93;
inline constexpr std::uint8_t DEVID = 0x94;
inline constexpr std::uint8_t REVID = 0x95;
inline constexpr std::uint8_t MARK1 = 0x96;
inline constexpr std::uint8_t MARK2 = 0x97;
inline constexpr std::uint8_t ERRMASK1 = 0x9D;
inline constexpr std::uint8_t ERRMASK2 = 0x9E;
inline constexpr std::uint8_t BS1OVTH = 0xA0;
inline constexpr std::uint8_t BS1OVHYST = 0xA1;
inline constexpr std::uint8_t BS1UVTH = 0xA2;
inline constexpr std::uint8_t BS1UVHYST = 0xA3;
inline constexpr std::uint8_t BS1SEL = 0xA4;
inline constexpr std::uint8_t BS2OVTH = 0xA8;
inline constexpr std::uint8_t BS2OVHYST = 0xA9;
inline constexpr std::uint8_t BS2UVTH = 0xAA;
inline constexpr std::uint8_t BS2UVHYST = 0xAB;
inline constexpr std::uint8_t BS2SEL = 0xAC;
inline constexpr std::uint8_t HSOVTH = 0xB0;
inline constexpr std::uint8_t HSOVHYST = 0xB1;
inline constexpr std::uint8_t HSUVTH = 0xB2;
inline constexpr std::uint8_t HSUVHYST = 0xB3;
inline constexpr std::uint8_t HSSEL = 0xB4;
inline constexpr std::uint8_t PS1OVTH = 0xB8;
inline constexpr std::uint8_t PS1OVHYST = 0xB9;
inline constexpr std::uint8_t PS1UVTH = 0xBA;
inline constexpr std::uint8_t PS1UVHYST = 0xBB;
inline constexpr std::uint8_t PS1SEL = 0xBC;
inline constexpr std::uint8_t PS2OVTH = 0xC0;
inline constexpr std::uint8_t PS2OVHYST = 0xC1;
inline constexpr std::uint8_t PS2UVTH = 0xC2;
inline constexpr std::uint8_t PS2UVHYST = 0xC3;
inline constexpr std::uint8_t PS2SEL = 0xC4;
inline constexpr std::uint8_t PS3OVTH = 0xC8;
inline constexpr std::uint8_t PS3OVHYST = 0xC9;
inline constexpr std::uint8_t PS3UVTH = 0xCA;
inline constexpr std::uint8_t PS3UVHYST = 0xCB;
inline constexpr std::uint8_t PS3SEL = 0xCC;
inline constexpr std::uint8_t PS4OVTH = 0xD0;
inline constexpr std::uint8_t PS4OVHYST = 0xD1;
inline constexpr std::uint8_t PS4UVTH = 0xD2;
inline constexpr std::uint8_t PS4UVHYST = 0xD3;
inline constexpr std::uint8_t PS4SEL = 0xD4;
inline constexpr std::uint8_t UVSTAT = 0xD8;
inline constexpr std::uint8_t OVSTAT = 0xD9;
inline constexpr std::uint8_t SFDSTAT = 0xDA;
inline constexpr std::uint8_t GWSTAT = 0xDB;
inline constexpr std::uint8_t LATF1 = 0xDC;
inline constexpr std::uint8_t LATF21 = 0xDD;
inline constexpr std::uint8_t PDOSTAT1 = 0xDE;
inline constexpr std::uint8_t PDOSTAT2 = 0xDF;
inline constexpr std::uint8_t P1PDBTIM = 0x0C;
inline constexpr std::uint8_t P2PDBTIM = 0x1C;
inline constexpr std::uint8_t P3PDBTIM = 0x2C;
inline constexpr std::uint8_t P4PDBTIM = 0x3C;
inline constexpr std::uint8_t P5PDBTIM = 0x4C;
inline constexpr std::uint8_t P6PDBTIM = 0x5C;
inline constexpr std::uint8_t P7PDBTIM = 0x6C;
inline constexpr std::uint8_t P8PDBTIM = 0x7C;
inline constexpr std::uint8_t P9PDBTIM = 0x8C;
inline constexpr std::uint8_t P1PDOCFG = 0x0D;
inline constexpr std::uint8_t P2PDOCFG = 0x1D;
inline constexpr std::uint8_t P3PDOCFG = 0x2D;
inline constexpr std::uint8_t P4PDOCFG = 0x3D;
inline constexpr std::uint8_t P5PDOCFG = 0x4D;
inline constexpr std::uint8_t P6PDOCFG = 0x5D;
inline constexpr std::uint8_t P7PDOCFG = 0x6D;
inline constexpr std::uint8_t P8PDOCFG = 0x7D;
inline constexpr std::uint8_t P9PDOCFG = 0x8D;
inline constexpr std::uint8_t WDCFG = 0x9C;
inline constexpr std::uint8_t GPI1CFG = 0x98;
inline constexpr std::uint8_t GPI2CFG = 0x99;
inline constexpr std::uint8_t GPI3CFG = 0x9A;
inline constexpr std::uint8_t GPI4CFG = 0x9B;
// clang-format on

namespace field {

// A bit field of a chip register: `width` bits from bit `shift` up. `name` is
// the name the register table prints for the field's bits ("PULS" for "PULS 0"
// and "PULS 1", "CFG" for "CFG 4" to "CFG 6"); where the table keeps the plain
// "Bit 0" to "Bit 7", it is the name the chip's register descriptions give.
struct Field {
    constexpr Field(std::string_view fieldName, int lowBit, int bits)
        : name(fieldName), shift(lowBit), width(bits),
          mask(static_cast<std::uint8_t>(((1u << bits) - 1u) << lowBit)) {}

    std::string_view name;
    int shift;
    int width;
    std::uint8_t mask; // the field's bits in the register

    // The highest code the field holds.
    constexpr int largest() const { return (1 << width) - 1; }
    // The field's code in a register value.
    constexpr int get(std::uint8_t value) const { return (value & mask) >> shift; }
    // `code` placed in the field; bits beyond the field's width are cut.
    constexpr std::uint8_t put(int code) const {
        return static_cast<std::uint8_t>((code << shift) & mask);
    }
};

// A register family's members and its fields.
struct FieldedRegisters {
    std::span<const std::uint8_t> registers;
    std::span<const Field> fields;
};

// PnPDBTIM: the programmable delay of block n.
namespace PnPDBTIM {
inline constexpr Field TF{"TF", 0, 4}; // falling-edge delay step
inline constexpr Field TR{"TR", 4, 4}; // rising-edge delay step
inline constexpr std::array registers{P1PDBTIM, P2PDBTIM, P3PDBTIM, P4PDBTIM, P5PDBTIM,
                                      P6PDBTIM, P7PDBTIM, P8PDBTIM, P9PDBTIM};
inline constexpr std::array fields{TF, TR};
} // namespace PnPDBTIM

// PnPDOCFG: the format of driver output n; bit 7 is unused.
namespace PnPDOCFG {
inline constexpr Field PullUp{"CFG", 0, 4}; // CFG 3-0: the pull-up code
inline constexpr Field Mode{"CFG", 4, 3};   // CFG 6-4: the output mode
inline constexpr std::array registers{P1PDOCFG, P2PDOCFG, P3PDOCFG, P4PDOCFG, P5PDOCFG,
                                      P6PDOCFG, P7PDOCFG, P8PDOCFG, P9PDOCFG};
inline constexpr std::array fields{PullUp, Mode};
} // namespace PnPDOCFG

// PSnEN: the function and output enables of logic block n.
namespace PSnEN {
inline constexpr Field F2EN{"F2EN", 0, 1};         // function B on
inline constexpr Field F1EN{"F1EN", 1, 1};         // function A on
inline constexpr Field PLBOutEN{"PLBOutEN", 2, 1}; // set: the block's output switched off
inline constexpr std::array registers{PS1EN, PS2EN, PS3EN, PS4EN, PS5EN,
                                      PS6EN, PS7EN, PS8EN, PS9EN};
inline constexpr std::array fields{F2EN, F1EN, PLBOutEN};
} // namespace PSnEN

// UPDCFG: configuration update and EEPROM load controls.
namespace UPDCFG {
inline constexpr Field UPD{"UPD", 0, 1};
inline constexpr Field RAMLD{"RAMLD", 1, 1};
inline constexpr Field EEPROMLD{"EEPROMLD", 2, 1};
inline constexpr Field EE_ERASE{"EE_ERASE", 3, 1};
inline constexpr Field Reserved{"Reserved", 4, 4};
inline constexpr std::array registers{reg::UPDCFG};
inline constexpr std::array fields{UPD, RAMLD, EEPROMLD, EE_ERASE, Reserved};
} // namespace UPDCFG

// PDEN: pull-down current sources on the logic inputs; bit 7 is reserved.
namespace PDEN {
inline constexpr Field PDENGPI1{"PDENGPI1", 0, 1};
inline constexpr Field PDENGPI2{"PDENGPI2", 1, 1};
inline constexpr Field PDENGPI3{"PDENGPI3", 2, 1};
inline constexpr Field PDENGPI4{"PDENGPI4", 3, 1};
inline constexpr Field PDENWDI{"PDENWDI", 4, 1};
inline constexpr Field PDENA0{"PDENA0", 5, 1};
inline constexpr Field PDENA1{"PDENA1", 6, 1};
inline constexpr std::array registers{reg::PDEN};
inline constexpr std::array fields{PDENGPI1, PDENGPI2, PDENGPI3, PDENGPI4, PDENWDI, PDENA0, PDENA1};
} // namespace PDEN

// GPInCFG: general-purpose input n; bit 7 is reserved.
namespace GPInCFG {
inline constexpr Field GF{"GF", 0, 3};       // time the input is ignored
inline constexpr Field PULS{"PULS", 3, 2};   // length of the pulse an edge gives
inline constexpr Field INTYP{"INTYP", 5, 1}; // set: edge input; clear: level
inline constexpr Field INVIN{"INVIN", 6, 1}; // set: input inverted
inline constexpr std::array registers{GPI1CFG, GPI2CFG, GPI3CFG, GPI4CFG};
inline constexpr std::array fields{GF, PULS, INTYP, INVIN};
} // namespace GPInCFG

// WDCFG: the watchdog detector; bits 7-5 are reserved.
namespace WDCFG {
inline constexpr Field PER{"PER", 0, 3};   // timeout period
inline constexpr Field PULS{"PULS", 3, 2}; // length of the pulsed output
inline constexpr std::array registers{reg::WDCFG};
inline constexpr std::array fields{PER, PULS};
} // namespace WDCFG

// xxSEL: glitch filter, range and fault type of a supply-fault input.
namespace xxSEL {
inline constexpr Field FaultType{"FaultType", 0, 2};
inline constexpr Field DetectionRange{"DetectionRange", 2, 2};
inline constexpr Field GlitchFilter{"GlitchFilter", 4, 3};
inline constexpr Field VBPolarity{"VBPolarity", 7, 1}; // bipolar inputs: set for negative
inline constexpr std::array registers{BS1SEL, BS2SEL, HSSEL, PS1SEL, PS2SEL, PS3SEL, PS4SEL};
inline constexpr std::array fields{FaultType, DetectionRange, GlitchFilter, VBPolarity};
} // namespace xxSEL

// xxOVHYST and xxUVHYST: the hysteresis codes of a supply-fault input; bits
// 7-5 are unused.
namespace xxOVHYST {
inline constexpr Field Hysteresis{"Hysteresis", 0, 5};
inline constexpr std::array registers{BS1OVHYST, BS2OVHYST, HSOVHYST, PS1OVHYST,
                                      PS2OVHYST, PS3OVHYST, PS4OVHYST};
inline constexpr std::array fields{Hysteresis};
} // namespace xxOVHYST
namespace xxUVHYST {
inline constexpr Field Hysteresis{"Hysteresis", 0, 5};
inline constexpr std::array registers{BS1UVHYST, BS2UVHYST, HSUVHYST, PS1UVHYST,
                                      PS2UVHYST, PS3UVHYST, PS4UVHYST};
inline constexpr std::array fields{Hysteresis};
} // namespace xxUVHYST

// Every register family above with its fields.
inline constexpr std::array<FieldedRegisters, 10> kFieldedRegisters{{
    {PnPDBTIM::registers, PnPDBTIM::fields},
    {PnPDOCFG::registers, PnPDOCFG::fields},
    {PSnEN::registers, PSnEN::fields},
    {UPDCFG::registers, UPDCFG::fields},
    {PDEN::registers, PDEN::fields},
    {GPInCFG::registers, GPInCFG::fields},
    {WDCFG::registers, WDCFG::fields},
    {xxSEL::registers, xxSEL::fields},
    {xxOVHYST::registers, xxOVHYST::fields},
    {xxUVHYST::registers, xxUVHYST::fields},
}};

} // namespace field

} // namespace trelvane::reg
