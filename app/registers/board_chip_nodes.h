#pragma once
// The evaluation board's other chips as the register tree shows them (their
// addresses and command bytes named in app/device/board_chips.h): each
// chip's node, its bus address, and the registers a click on its leaves (or,
// for a chip without leaves, on the chip itself) reads through the panel.

#include "app/device/board_chips.h"

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
    {"VoutA", "Vout A", 1, board::kDacChannelA, 0xFC00, 0},
    {"VoutB", "Vout B", 1, board::kDacChannelB, 0xFC00, 0},
    {"VoutC", "Vout C", 1, board::kDacChannelC, 0xFC00, 0},
    {"VoutD", "Vout D", 1, board::kDacChannelD, 0xFC00, 0},
};
inline constexpr BoardRegister kAdcRegisters[] = {
    {"TempValue", "Temperature", 1, 0, 0xFFFF, 0},
    {"Configuration1", "Configuration 1", 0, board::kAdcConfiguration, 0, 0},
    {"THyst", "THyst Set-Point", 1, board::kAdcHysteresis, 0x7F, 0},
    {"TOTI", "TOTI Set-Point", 1, board::kAdcOverTemperature, 0x7F, 0},
    {"ADC", "ADC", 1, board::kAdcConversion, 0xFFFF, 0},
    {"Configuration2", "Configuration 2", 0, board::kAdcConfiguration2, 0x3F, 6},
};
inline constexpr BoardRegister kSwitchRegister[] = {{"", "", 2, 0, 0, 0}};
inline constexpr BoardRegister kPotRegister[] = {{"", "", 0, board::kPotWiper, 0, 0}};

inline constexpr std::array<BoardChip, 7> kBoardChips = {{
    {"U5", "U5, QD8841 DAC", board::kDacU5, kDacRegisters},
    {"U6", "U6, QD8841 DAC", board::kDacU6, kDacRegisters},
    {"U12", "U12, QA2296 ADC", board::kAdcU12, kAdcRegisters},
    {"U13", "U13, QA2296 ADC", board::kAdcU13, kAdcRegisters},
    {"U14", "U14, QA2296 ADC", board::kAdcU14, kAdcRegisters},
    {"U2", "U2, QG3357WQP Analog Switch", board::kAnalogSwitchU2, kSwitchRegister},
    {"U21", "U21, QR1174 Digital Pot.", board::kPotentiometerU21, kPotRegister},
}};
// clang-format on

} // namespace trelvane
