#pragma once
// The register access window's tree as data: every node in the order it is
// added, each with its parent's key, its own key (unique in the tree), its text
// and its picture. The chip's registers come from the register map, twice (by
// address, and grouped by function, where a key carries trailing blanks to
// stay unique); the EEPROM bytes, the test registers and the board's other
// chips are fixed here. A leaf's key is what a click on it decodes
// (register_selection.h).
//
// NonRegisterKeys lists the keys that do not stand for a chip register, an
// EEPROM byte or a test register: every group node, every board-chip node,
// and two keys no node bears ("PFI", "U3").

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

class VSQ5540;

// Indices into the window's image list.
enum class NodeImage : int { Chip = 1, Desktop = 2, Folder = 3, ReadWrite = 4 };

struct RegisterTreeNode {
    std::string parentKey; // empty for the root
    std::string key;
    std::string text;
    NodeImage image;
};

std::vector<RegisterTreeNode> RegisterTreeNodes(const VSQ5540& registerMap);

inline constexpr std::size_t kNonRegisterKeyCount = 64;
const std::array<std::string_view, kNonRegisterKeyCount>& NonRegisterKeyTable();

// The keys made visible (their ancestors expanded) once the tree is built.
inline constexpr std::array<std::string_view, 3> kVisibleAfterBuild = {"Eval Board", "VSQ5540",
                                                                       "ByRegister"};

// x in upper-case hexadecimal without leading zeros ("0", "A", "DF").
std::string HexText(unsigned value);

} // namespace trelvane
