#include "app/logicblocks/register_family_io.h"

#include "app/device/communications.h"

namespace trelvane {
namespace {

// The bits of a register in the order their toggles are visited.
constexpr int bitAt(const RegisterFamily& family, int step) {
    return family.highBitFirst ? 7 - step : step;
}

void readRegister(const RegisterFamily& family, int block, ToggleArrays& toggles,
                  bool emulateFixedSilicon) {
    const std::uint8_t value = ReadRegister(registerAddress(family, block));
    for (int step = 0; step < 8; ++step) {
        const int bit = bitAt(family, step);
        const std::string_view array = arrayOfBit(family, block, bit, emulateFixedSilicon);
        if (!array.empty())
            toggles.setToggleState(array, block, toggleOn(family, bit, value));
    }
}

void writeRegister(const RegisterFamily& family, int block, const ToggleArrays& toggles,
                   bool emulateFixedSilicon) {
    std::uint8_t value = 0;
    for (int step = 0; step < 8; ++step) {
        const int bit = bitAt(family, step);
        const std::string_view array = arrayOfBit(family, block, bit, emulateFixedSilicon);
        if (!array.empty())
            value |= bitValue(family, bit, toggles.toggleState(array, block));
    }
    WriteRegister(registerAddress(family, block), value);
}

} // namespace

void readFamilies(FamilySet families, ToggleArrays& toggles, const bool& emulateFixedSilicon) {
    for (const RegisterFamily* family : families)
        for (int block = 1; block <= kLogicBlocks; ++block)
            readRegister(*family, block, toggles, emulateFixedSilicon);
}

void writeFamilies(FamilySet families, const ToggleArrays& toggles,
                   const bool& emulateFixedSilicon) {
    for (const RegisterFamily* family : families)
        for (int block = 1; block <= kLogicBlocks; ++block)
            writeRegister(*family, block, toggles, emulateFixedSilicon);
}

} // namespace trelvane
