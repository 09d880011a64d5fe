#pragma once
// Checked number conversions of the register model: a number that does not fit
// its destination raises Overflow; nothing is wrapped or clipped.

#include <cstdint>
#include <stdexcept>

namespace trelvane {

class Overflow : public std::overflow_error {
public:
    Overflow() : std::overflow_error("Overflow") {}
};

// `value` as a byte; Overflow unless it is 0 to 255.
std::uint8_t toByte(long long value);

// `value` rounded to the nearest integer, a half to the even neighbour;
// Overflow when that lies outside the signed 32-bit range (or is not a number).
std::int32_t roundToInt32(double value);

} // namespace trelvane
