#include "app/logicblocks/plb_write.h"

#include "app/logicblocks/register_family_io.h"

namespace trelvane {
namespace {

// Only the GPI registers depend on the option.
constexpr bool kOptionUnused = false;

} // namespace

void WritePLBs(const ToggleArrays& toggles) {
    writeFamilies(kOtherBlockInputs, toggles, kOptionUnused);
}

void WriteVoltages(const ToggleArrays& toggles) {
    writeFamilies(kSupplyFaultInputs, toggles, kOptionUnused);
}

void WriteGPIs(const ToggleArrays& toggles, const bool& emulateFixedSilicon) {
    writeFamilies(kGpiInputs, toggles, emulateFixedSilicon);
}

void WriteWDIs(const ToggleArrays& toggles) {
    writeFamilies(kWatchdogInputs, toggles, kOptionUnused);
}

void WriteBlockEnables(const ToggleArrays& toggles) {
    writeFamilies(kBlockEnables, toggles, kOptionUnused);
}

} // namespace trelvane
