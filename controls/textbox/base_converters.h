#pragma once
// The base converters of the numeric text box: pure, without Qt. Values are
// 64-bit floats meant to hold whole numbers; failures raise
// vsq::controls::BasicError (Overflow 6). A character that is no digit of the
// base counts 0; in binary and octal texts a decimal digit counts its own value
// ("2" in a binary text is worth 2 at its place).

#include <string>
#include <string_view>

namespace quiltane {

// "0" put in front of a text until it has `width` characters.
std::u16string zeroPadded(std::u16string text, std::size_t width);

// The value of a binary text; Overflow above 32767 characters and where a
// place value 2^i leaves the float range.
double binaryTextValue(std::u16string_view text);
// The value of an octal text; Overflow where a place value 8^i leaves the range.
double octalTextValue(std::u16string_view text);
// The value of a hexadecimal text, capped at 1.84467440737096E+19 (just above
// 2^64); Overflow above 255 characters.
double ConvertHexStrToDec(std::u16string_view text);

// The binary digits of a value without leading zeros, the value rounded to a
// whole number first (halves to even); zero and negative values give the empty
// text. Overflow from 2^79 on.
std::u16string binaryDigits(double value);
// Bits 4n down to 0 of a value: 4n + 1 binary digits (two's complement for
// negative values).
std::u16string ConvertDecToBin(double value, unsigned nibbles);
// The hexadecimal text of a value of at most the limit, for the value write:
// fitted to n digits (see the definition); the limit itself from 14 nibbles on
// is n "F" digits.
std::u16string ConvertDecToHexText(double value, unsigned nibbles);
// The hexadecimal text of bits 4n down to 0 of a value, without leading zeros
// (empty for zero); it can hold n + 1 digits.
std::u16string ConvertDecToHexStr(double value, unsigned nibbles);

// The first value WideAnd cannot work: 2^79.
inline constexpr double kWideAndLimit = 0x1p79;

// The bitwise AND of two values of up to 79 bits, worked in 16-bit groups from
// the top with 32-bit signed ANDs (operands rounded, halves to even); Overflow
// from 2^79 on.
double WideAnd(double a, double b);

// The key-up test of a binary text against a limit of n nibbles, on exact whole
// numbers: whether its value exceeds 2^(4n) - 1, and the text of its value
// masked to 4n bits as 4n + 1 digits (the first always "0").
struct LimitedText {
    bool overflow = false;
    std::u16string text;
};
LimitedText limitBinaryText(std::u16string_view text, unsigned nibbles);

// Whether a hexadecimal text's value exceeds 2^(4n) - 1, exactly: it has more
// than n digits after its leading zeros.
bool hexTextExceeds(std::u16string_view text, unsigned nibbles);

} // namespace quiltane
