#pragma once
// The VSQ5540's register table: one row per register, in the order the register
// map loads them. Addresses 0xE0 to 0xFF and the EEPROM have no row.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace trelvane {

inline constexpr std::size_t kChipRegisterCount = 183;

// The names of a register's bits, indexed by bit number (index 0 is bit 0).
using BitNames = std::array<std::string_view, 8>;

// The names every register without names of its own carries: "Bit 0" to "Bit 7".
inline constexpr BitNames kDefaultBitNames{"Bit 0", "Bit 1", "Bit 2", "Bit 3",
                                           "Bit 4", "Bit 5", "Bit 6", "Bit 7"};

struct RegisterRow {
    std::uint8_t address;
    std::string_view name;
    std::string_view description; // UTF-8
    bool readOnly;
    std::optional<BitNames> bitNames; // empty: the default names
};

// The 183 rows, in load order.
const std::array<RegisterRow, kChipRegisterCount>& chipRegisterTable();

} // namespace trelvane
