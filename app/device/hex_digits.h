#pragma once
// A whole number as the upper-case hexadecimal digits the bus texts show.

#include <charconv>
#include <string>

namespace trelvane {

// The value's digits without leading zeros ("5", "2200", "3BC").
inline std::string HexDigits(unsigned value) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    std::string text(digits, end);
    for (char& digit : text)
        if (digit >= 'a' && digit <= 'f')
            digit = static_cast<char>(digit - 'a' + 'A');
    return text;
}

} // namespace trelvane
