#pragma once
// Where each toggle of the logic-block window lives on the chip. Block n owns
// the sixteen registers from 16 * (n - 1); a register family is one register
// of that window in all nine blocks (PnSFDIMKA: 0x03, 0x13 ... 0x83), and its
// table gives, bit by bit, the toggle array whose element n holds the bit.
//
// For the input selection a toggle that is on is a bit 0 (input used,
// positive polarity). In the block-enable register PSnEN the two function
// enables are on for a bit 1 (`onWhenSet`).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace trelvane {

inline constexpr int kLogicBlocks = 9;
inline constexpr int kBlockWindowSize = 16;

enum class BitLayout : std::uint8_t {
    // `arrays[k]` holds bit k; an empty name is a bit with no toggle.
    PerBit,
    // The eight other blocks in ascending order, block n itself skipped:
    // `arrays[j - 1]` is the array of source block j.
    OtherBlocks,
    // As PerBit with the emulate-fixed-silicon flag clear; with it set the
    // order of the four bits within each nibble is reversed.
    GpiNibbles,
};

struct RegisterFamily {
    std::uint8_t firstAddress; // block 1's register
    BitLayout layout;
    std::array<std::string_view, kLogicBlocks> arrays;
    std::uint8_t onWhenSet = 0; // bits whose toggle is on for a 1
    bool highBitFirst = false;  // toggles visited from bit 7 down
};

// The register of `family` in block `block` (1 to 9).
std::uint8_t registerAddress(const RegisterFamily& family, int block);

// The toggle array that holds bit `bit` of block `block`'s register; empty
// when the bit has no toggle.
std::string_view arrayOfBit(const RegisterFamily& family, int block, int bit,
                            bool emulateFixedSilicon);

// Whether the toggle of `bit` is on for a register holding `value`, and the
// bit's contribution to the register for a toggle in state `on`.
bool toggleOn(const RegisterFamily& family, int bit, std::uint8_t value);
std::uint8_t bitValue(const RegisterFamily& family, int bit, bool on);

namespace family {
extern const RegisterFamily PLBPOLA, PLBIMKA, PLBPOLB, PLBIMKB;
extern const RegisterFamily SFDPOLA, SFDIMKA, SFDPOLB, SFDIMKB;
extern const RegisterFamily GPIPOL, GPIIMK;
extern const RegisterFamily WDICFG;
extern const RegisterFamily SEN; // PSnEN, the block's function and output enables
} // namespace family

// The register families of each codec routine, in their order on the bus.
using FamilySet = std::span<const RegisterFamily* const>;
extern const FamilySet kOtherBlockInputs;  // PnPLBIMKA, PnPLBPOLA, PnPLBIMKB, PnPLBPOLB
extern const FamilySet kSupplyFaultInputs; // PnSFDIMKA, PnSFDPOLA, PnSFDIMKB, PnSFDPOLB
extern const FamilySet kGpiInputs;         // PnGPIPOL, PnGPIIMK
extern const FamilySet kWatchdogInputs;    // PnWDICFG
extern const FamilySet kBlockEnables;      // PSnEN

} // namespace trelvane
