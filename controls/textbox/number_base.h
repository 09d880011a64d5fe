#pragma once
// The number bases of the numeric text box and its digit limit.

#include <cmath>
#include <cstdint>

namespace quiltane {

enum tNumberBase : std::uint8_t {
    AnyCharacter0 = 0,
    Binary1 = 1,
    Decimal2 = 2,
    Oct3 = 3,
    Hex4 = 4,
};

// The widest limit, in hexadecimal digits (nibbles).
constexpr unsigned kMaxNibbles = 16;

// The largest value of a limit of n nibbles, 2^(4n) - 1, as a 64-bit float:
// from 14 nibbles on it is not exact and equals 2^(4n).
inline double limitValue(unsigned nibbles) {
    return std::ldexp(1.0, 4 * nibbles) - 1.0;
}

} // namespace quiltane
