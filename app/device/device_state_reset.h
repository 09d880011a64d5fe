#pragma once
// The device layer's process-wide state put back as the program finds it when
// it starts, for test fixtures: a test binary runs many cases in one process,
// and none may see what an earlier one left behind.

namespace trelvane {

// gPortType on the parallel port, gChipAddress 0, no root object (the next
// gComPort() creates one, detecting the ports anew), no transfer failed yet, no
// listener of the data-port bits, and the seven input descriptors blank. The
// communications library's bus state and the simulated PC have resets of
// their own.
void resetDeviceStateForTests();

} // namespace trelvane
