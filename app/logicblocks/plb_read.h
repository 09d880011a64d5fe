#pragma once
// Reading the nine logic blocks' configuration from the chip into the
// window's toggles, in the order of the window's Read All. Each routine reads
// its registers of blocks 1 to 9 once and sets every toggle they hold,
// whatever it showed; a bus failure reads as 0 (every such toggle on). An
// error passed up by the register I/O ends the routine there.

#include "app/logicblocks/toggle_arrays.h"

namespace trelvane {

// PnGPIPOL of blocks 1 to 9, then PnGPIIMK: 18 reads. The GPI order within
// each nibble follows `emulateFixedSilicon` as each register is decoded.
void ReadGPIs(ToggleArrays& toggles, const bool& emulateFixedSilicon);
// PnPLBIMKA, PnPLBPOLA, PnPLBIMKB, PnPLBPOLB: 36 reads.
void ReadPLBs(ToggleArrays& toggles);
// PnSFDIMKA, PnSFDPOLA, PnSFDIMKB, PnSFDPOLB: 36 reads.
void ReadVoltages(ToggleArrays& toggles);
// PnWDICFG: 9 reads.
void ReadWDIs(ToggleArrays& toggles);
// PSnEN into F1EN, F2EN and PLBOutEN: 9 reads.
void ReadBlockEnables(ToggleArrays& toggles);

} // namespace trelvane
