#pragma once
// Writing the window's toggles to the nine logic blocks, in the order of the
// window's Write All. Each routine composes every register of its set from 0
// (a bit set for each toggle that stands for a 1) and writes it once, changed
// or not; nothing is read first. An error passed up by the register I/O ends
// the routine there: the registers before it keep their new values.

#include "app/logicblocks/toggle_arrays.h"

namespace trelvane {

// PnPLBIMKA of blocks 1 to 9 (0x01, 0x11 ... 0x81), then PnPLBPOLA, PnPLBIMKB
// and PnPLBPOLB: 36 writes. Element n of block n's own arrays is never read.
void WritePLBs(const ToggleArrays& toggles);
// PnSFDIMKA, PnSFDPOLA, PnSFDIMKB, PnSFDPOLB: 36 writes, bit 7 always 0.
void WriteVoltages(const ToggleArrays& toggles);
// PnGPIPOL of blocks 1 to 9, then PnGPIIMK: 18 writes. The GPI order follows
// `emulateFixedSilicon` as each register is composed.
void WriteGPIs(const ToggleArrays& toggles, const bool& emulateFixedSilicon);
// PnWDICFG: 9 writes.
void WriteWDIs(const ToggleArrays& toggles);
// PSnEN from F1EN, F2EN and PLBOutEN: 9 writes of 0 to 7.
void WriteBlockEnables(const ToggleArrays& toggles);

} // namespace trelvane
