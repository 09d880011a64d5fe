#pragma once
// The Basic-style number conversions the controls share, in one place and
// without Qt: whole-number rounding (halves to even) with range checks that
// fail with Overflow (6), the lenient and the strict reading of a text (the
// strict one fails with Type mismatch (13)), the general number format, and the
// hexadecimal and octal texts of a 32-bit whole number.
//
// Texts are UTF-16, as the widgets hold them; only ASCII characters take part
// in a number.

#include <cstdint>
#include <string>
#include <string_view>

namespace vsq::controls {

// Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Rounded (halves to even) into the type's range; Overflow outside it or for a
// value that is not a number.
std::uint8_t toByte(double value);
std::int16_t toInteger(double value);
std::int32_t toLong(double value);
// A 32-bit colour or bit pattern: the signed or the unsigned 32-bit range.
std::uint32_t toUnsignedLong(double value);
// Overflow beyond the range of a 32-bit float.
float toSingle(double value);

// The lenient reading: blanks, tabs and line feeds are skipped wherever they
// stand; an optional sign, digits with an optional decimal point and exponent
// (E or D) are read up to the first character that cannot continue the number;
// a text without a number reads 0. "&H" or "&O" followed by hexadecimal or octal
// digits reads those digits as a 16-bit whole number when they fit 16 bits and
// as a 32-bit one otherwise (so "&HFFFF" reads -1). Overflow for a number beyond
// the range of a 64-bit float or for more than 32 bits of digits.
double lenientNumber(std::u16string_view text);

// The strict reading: the whole text, blanks around it allowed, must be a number
// in the forms above; otherwise Type mismatch. Overflow as above.
double strictNumber(std::u16string_view text);

// The general format: at most `significantDigits` significant digits (15 for a
// 64-bit float, 7 for a 32-bit one), no trailing zeros, a minus sign for negative
// values; from 10^15 on (and below 10^-4) a mantissa, E, a sign and an exponent
// of at least two digits ("1.84467440737096E+19").
std::u16string generalFormat(double value, int significantDigits = 15);
// The same with one leading blank in place of a plus sign (" 255", "-5").
std::u16string signedGeneralFormat(double value);

// The value as a 32-bit signed whole number (rounded, halves to even; Overflow
// outside the range) in upper-case hexadecimal or octal without leading zeros;
// a negative value as its 32-bit two's complement ("FFFFFFFB", "37777777773").
std::u16string hexText(double value);
std::u16string octalText(double value);

} // namespace vsq::controls
