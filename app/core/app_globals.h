#pragma once
// Application-wide options of the program that every window may read.

namespace trelvane {

// The emulate-fixed-silicon option: read from the registry when the main window
// loads and toggled from its Options menu. It changes the order of the
// supply-fault range list, of the general-purpose-input registers and of the
// GPI bits in the logic-block codec.
extern bool gEmulateFixedSilicon;

} // namespace trelvane
