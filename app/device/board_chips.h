#pragma once
// The evaluation board's own chips around the VSQ5540: their bus addresses
// (8-bit form, read/write bit clear), command bytes and data encodings. Code
// that talks to a board chip uses these names, never a bare number.

#include <cstdint>

namespace trelvane::board {

// QD8841 four-channel DACs: word write and word read, high byte first; the
// command byte selects the channel. A written word is kDacWordBase | code, the
// 10-bit code in bits 9-0.
inline constexpr std::uint8_t kDacU5 = 0x18; // VB1, VB2, VH
inline constexpr std::uint8_t kDacU6 = 0x1A; // VP1 to VP4
inline constexpr std::uint8_t kDacChannelA = 0x21;
inline constexpr std::uint8_t kDacChannelB = 0x22;
inline constexpr std::uint8_t kDacChannelC = 0x24;
inline constexpr std::uint8_t kDacChannelD = 0x28;
inline constexpr std::uint16_t kDacWordBase = 0x2000;
inline constexpr std::uint16_t kDacCodeMask = 0x03FF;

// QG3357WQP analog switch: send byte and receive byte; bit k closes S(k + 1).
inline constexpr std::uint8_t kAnalogSwitchU2 = 0x90;

// QR1174 digital potentiometer: byte write and byte read of its wiper register.
inline constexpr std::uint8_t kPotentiometerU21 = 0x58;
inline constexpr std::uint8_t kPotWiper = 0x00;

// QA2296 temperature sensors with four-input ADCs: the first byte of a write
// is the register pointer; bytes and words (high byte first) by register.
inline constexpr std::uint8_t kAdcU12 = 0x50;          // PDO 9 to PDO 6
inline constexpr std::uint8_t kAdcU13 = 0x52;          // PDO 5 to PDO 2
inline constexpr std::uint8_t kAdcU14 = 0x54;          // PDO 1
inline constexpr std::uint8_t kAdcConfiguration = 1;   // byte; bits 7-5 select the input
inline constexpr std::uint8_t kAdcHysteresis = 2;      // word (THYST)
inline constexpr std::uint8_t kAdcOverTemperature = 3; // word (TOTI)
inline constexpr std::uint8_t kAdcConversion = 4;      // word; the code in bits 15-6
inline constexpr std::uint8_t kAdcConfiguration2 = 5;  // byte
inline constexpr std::uint8_t kAdcInput1 = 0x20;
inline constexpr std::uint8_t kAdcInput2 = 0x40;
inline constexpr std::uint8_t kAdcInput3 = 0x60;
inline constexpr std::uint8_t kAdcInput4 = 0x80;

} // namespace trelvane::board
