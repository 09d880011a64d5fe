#pragma once
// The program's one root object of the communications library.

#include "comms/QVSComPort.h"

namespace trelvane {

// Created on first use and kept for the rest of the run. Creating it fails
// (brisendal::ComError) when the port driver or the chipset library is
// missing; the next use then tries again.
brisendal::QVSComPort& gComPort();

// Whether gComPort has been created; asking creates nothing.
bool comPortCreated();

// Lets go of the root object, as if the program had not created it yet. For
// test fixtures (device_state_reset.h).
void resetComPortForTests();

} // namespace trelvane
