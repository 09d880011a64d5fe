#pragma once
// The codec's one step, for every register family: read a family's nine
// registers into their toggles, or compose them from the toggles and write
// them. Each register is read or written once, through ReadRegister or
// WriteRegister, blocks 1 to 9 in turn; a written byte is composed afresh
// from 0, never read first. Bits without a toggle are ignored on reading and
// written 0.

#include "app/logicblocks/plb_layout.h"
#include "app/logicblocks/toggle_arrays.h"

namespace trelvane {

// `emulateFixedSilicon` is consulted for each register as it is decoded or
// composed (the GPI order); the caller passes the program's live option.
void readFamilies(FamilySet families, ToggleArrays& toggles, const bool& emulateFixedSilicon);
void writeFamilies(FamilySet families, const ToggleArrays& toggles,
                   const bool& emulateFixedSilicon);

} // namespace trelvane
