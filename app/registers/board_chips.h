#pragma once
// The evaluation board's other chips as the register tree shows them: each
// chip's node, its bus address, and the registers a click on its leaves (or,
// for a chip without leaves, on the chip itself) reads through the panel.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace trelvane {

struct BoardRegister {
    std::string_view keySuffix; // the leaf's key is the chip's key and this; empty: the chip node
    std::string_view text;
    std::int16_t communicationsType; // 0 byte, 1 word, 2 send/receive byte
    std::uint8_t addressPointer;
    std::int32_t readOnlyBitMask;
    int notApplicableBits; // bits 0 .. n-1 are named "N/A"
};

struct BoardChip {
    std::string_view key;
    std::string_view text;
    std::uint8_t deviceAddress;
    std::span<const BoardRegister> registers;
};

// clang-format off
inline constexpr BoardRegister kDacRegisters[] = {
    {"VoutA", "Vout A", 1, 0x21, 0xFC00, 0},
    {"VoutB", "Vout B", 1, 0x22, 0xFC00, 0},
    {"VoutC", "Vout C", 1, 0x24, 0xFC00, 0},
    {"VoutD", "Vout D", 1, 0x28, 0xFC00, 0},
};
inline constexpr BoardRegister kAdcRegisters[] = {
    {"TempValue", "Temperature", 1, 0, 0xFFFF, 0},
    {"Configuration1", "Configuration 1", 0, 1, 0, 0},
    {"THyst", "THyst Set-Point", 1, 2, 0x7F, 0},
    {"TOTI", "TOTI Set-Point", 1, 3, 0x7F, 0},
    {"ADC", "ADC", 1, 4, 0xFFFF, 0},
    {"Configuration2", "Configuration 2", 0, 5, 0x3F, 6},
};
inline constexpr BoardRegister kSwitchRegister[] = {{"", "", 2, 0, 0, 0}};
inline constexpr BoardRegister kPotRegister[] = {{"", "", 0, 0, 0, 0}};

inline constexpr std::array<BoardChip, 7> kBoardChips = {{
    {"U5", "U5, QD8841 DAC", 0x18, kDacRegisters},
    {"U6", "U6, QD8841 DAC", 0x1A, kDacRegisters},
    {"U12", "U12, QA2296 ADC", 0x50, kAdcRegisters},
    {"U13", "U13, QA2296 ADC", 0x52, kAdcRegisters},
    {"U14", "U14, QA2296 ADC", 0x54, kAdcRegisters},
    {"U2", "U2, QG3357WQP Analog Switch", 0x90, kSwitchRegister},
    {"U21", "U21, QR1174 Digital Pot.", 0x58, kPotRegister},
}};
// clang-format on

} // namespace trelvane
