#include "app/logicblocks/plb_read.h"

#include "app/logicblocks/register_family_io.h"

namespace trelvane {
namespace {

// Only the GPI registers depend on the option.
constexpr bool kOptionUnused = false;

} // namespace

void ReadGPIs(ToggleArrays& toggles, const bool& emulateFixedSilicon) {
    readFamilies(kGpiInputs, toggles, emulateFixedSilicon);
}

void ReadPLBs(ToggleArrays& toggles) {
    readFamilies(kOtherBlockInputs, toggles, kOptionUnused);
}

void ReadVoltages(ToggleArrays& toggles) {
    readFamilies(kSupplyFaultInputs, toggles, kOptionUnused);
}

void ReadWDIs(ToggleArrays& toggles) {
    readFamilies(kWatchdogInputs, toggles, kOptionUnused);
}

void ReadBlockEnables(ToggleArrays& toggles) {
    readFamilies(kBlockEnables, toggles, kOptionUnused);
}

} // namespace trelvane
