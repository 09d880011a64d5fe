#pragma once
// The arithmetic of one register's value as the register panel shows and
// writes it, without widgets: the value caption, the bits of a value, the value
// a box entry writes under a read-only mask, the logic-analyser samples, and
// the bounds a request's value and address must keep.

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

namespace mirelda {

// Transfer shapes a request can take.
enum TCommType : std::int16_t {
    D8_AP8_DA8 = 0,  // byte data, byte register address
    D16_AP8_DA8 = 1, // word data (the 16-digit panel)
    D8_DA8 = 2,      // byte data, no register address
    D8_AP16_DA8 = 3, // byte data, 16-bit EEPROM address
};

// The largest value a register of the panel holds (a word).
constexpr double kLargestRegisterValue = 65535;
// The largest register address (the 16-bit EEPROM space).
constexpr double kLargestAddressPointer = 65535;

// Whether a shape selects the 16-digit panel.
constexpr bool isWordShape(int type) {
    return type == D16_AP8_DA8;
}

// "Value:<decimal>d,<hex>h": the decimal with at most seven significant
// digits, the hexadecimal of the nearest whole number (halves to even).
QString valueCaption(float value);

// The whole number a value stands for (nearest, halves to even), kept to the
// 32-bit range.
std::int32_t wholeValue(double value);

// The value a box entry asks to write: the entry where the mask is 0, else the
// entry's writable bits with the read-only bits of the last known value.
std::int32_t maskedEntry(double entry, std::int32_t mask, double lastKnown, bool wordRegister);

// Whether bit k (0..15) is read-only under a mask: bit 15 tests the 16-bit
// sign bit, so a 16-bit mask stored as a negative number selects it too.
bool isReadOnlyBit(std::int32_t mask, int bit);

// One logic-analyser sample a trace takes: trace t moves between t + 0.1
// (bit clear) and t + 0.9 (bit set). Words feed traces 15..0, bytes 7..0.
using TraceSample = std::pair<std::int16_t, double>;
std::vector<TraceSample> logicSamples(double value, bool wordRegister);

// A request value kept to 0..65535 (not-a-number reads 0).
float clampRegisterValue(float value);
// Whether a register address can be requested: a number in 0..65535.
bool isValidAddressPointer(double address);

} // namespace mirelda
