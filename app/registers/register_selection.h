#pragma once
// What a click on a node of the register tree points the register panel at,
// decided from the node's key alone (register_tree.h makes the keys):
//
//   a key of NonRegisterKeys      a board-chip register (its table), or nothing
//                                 for a group node
//   "EEPROM..."                   a byte of the configuration (0xF800 + i) or
//                                 user (0xF900 + i) EEPROM at the chip's address
//   "TestReg<ddd>..."             the test register at decimal address ddd
//   anything else                 the chip register named by the key without
//                                 its leading and trailing blanks
//
// Chip, EEPROM and test-register clicks also give the window's control manager
// the device address configured in the program's communications root object;
// a board-chip click leaves the manager's address as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

class VSQ5540;

struct PanelSetup {
    // Before anything else: the manager takes the root object's device address.
    bool copyManagerAddress = false;
    std::int16_t communicationsType = 0;
    std::uint8_t deviceAddress = 0;
    float addressPointer = 0.0f;
    std::int32_t readOnlyBitMask = 0;
    // The details text, without the line break the panel's graph asks for.
    std::string details;
    // Bit0Text onwards: 8 names for the chip, 16 for a board chip.
    std::vector<std::string> bitTexts;
    // After the read request: bits 0 .. n-1 are named "N/A".
    int notApplicableBits = 0;
};

// False when the key is one of NonRegisterKeys.
bool IsRegisterKey(std::string_view key);

// The panel's set-up for a node; none for a node that stands for no register.
// `text` is the node's text, `chipAddress` the chip's bus address.
std::optional<PanelSetup> SetUpForNode(std::string_view key, std::string_view text,
                                       std::uint8_t chipAddress, const VSQ5540& registerMap);

} // namespace trelvane
