#pragma once

namespace trelvane {

// Waits about 30 ms while the windows stay alive: yields to the user interface
// until 0.03 s have passed on the monotonic clock, or the program is quitting.
// Any event handler, register I/O included, may run during the wait.
void ShortDelay();

} // namespace trelvane
